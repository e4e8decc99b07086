#pragma once
// Decoding PNG files into 8-bit RGBA, on the calling thread or ahead of time on a few
// worker threads while a scene is built.
//
// The decoding itself touches nothing but the file and its result, so it may run on any
// thread. Uploads stay with the texture cache on the main thread: the workers only fill
// buffers that the main thread takes in the order it asks for them.
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "graphics/PictureFacts.h"

struct DecodedPicture {
    struct Free {
        void operator()(unsigned char* bytes) const { std::free(bytes); }
    };
    // The decoder's own buffer, taken over rather than copied; rows top first.
    std::unique_ptr<unsigned char, Free> pixels;
    unsigned width = 0;
    unsigned height = 0;
    const char* error = nullptr;  // null, or the decoder's text to show (a static string)
    PictureFacts facts;           // of the decoded pixels (found on the decoding thread)
    // Instead of `pixels`, for a large picture in the plain form of our art: its file,
    // which the texture cache reads into the texture a strip at a time.
    std::string file;
};

// Pictures of at least this many decoded bytes are left in their files to be streamed:
// whole, a picture and the texture it goes into would be resident together.
constexpr std::size_t kStreamedPictureBytes = 16u << 20;

// Decodes one PNG file; non-regular files, files over the size cap and pictures with a
// side beyond what GL drivers take are refused with an error text.
void DecodePicture(const std::string& path, DecodedPicture& out);
// The two halves of DecodePicture: reading the file and checking its header (its size
// known, nothing decoded; null or the error text), then decoding the bytes read.
// `mayStream` false: a large picture is decoded too, never left to be streamed.
const char* ReadPicture(const std::string& path, std::string& file, unsigned& width, unsigned& height);
void DecodePictureFile(std::string file, DecodedPicture& out, bool mayStream = true);

// The threads a scene load should decode on beside the main thread: one fewer than the
// cores this process may run on, at most 3 (0 on a single core).
unsigned DecodeWorkersForThisMachine();

// Pictures queued to be decoded before they are asked for. Workers take the queue in
// order; a picture asked for before any worker reached it is decoded by the asker, and
// an asker waiting for a worker decodes the next queued picture meanwhile. Stop (or
// destruction) joins the workers: none outlives the batch.
class PictureDecodeAhead {
public:
    PictureDecodeAhead() = default;
    ~PictureDecodeAhead() { Stop(); }
    PictureDecodeAhead(const PictureDecodeAhead&) = delete;
    PictureDecodeAhead& operator=(const PictureDecodeAhead&) = delete;

    // Queues the paths not queued yet; starts workers up to `maxWorkers` (no more than
    // there are pictures waiting). With no worker (0, or threads unavailable) the queued
    // pictures are decoded by whoever takes them.
    void Add(const std::vector<std::string>& paths, unsigned maxWorkers);
    // False if the path is not waiting in the queue. Otherwise moves its result into
    // `out`, decoding or waiting for it as needed, and forgets it.
    bool Take(const std::string& path, DecodedPicture& out);
    // Joins the workers and drops every result nobody took.
    void Stop();

private:
    enum class State { Queued, Decoding, Done, Taken };
    struct Item {
        std::string path;  // never changed once queued: read without the lock
        State state = State::Queued;
        DecodedPicture result;
    };

    Item* FindWaiting(const std::string& path);
    Item* ClaimNext();                                           // under the lock
    void DecodeClaimed(Item& item, std::unique_lock<std::mutex>& lock);  // unlocks meanwhile
    void Work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> items_;  // a deque: queued items never move
    std::size_t next_ = 0;    // no item before it is still queued
    std::vector<std::thread> workers_;
    bool stopping_ = false;
};
