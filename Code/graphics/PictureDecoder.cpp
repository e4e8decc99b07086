#include "graphics/PictureDecoder.h"

#include <lodepng.h>
#include <sched.h>

#include <algorithm>
#include <system_error>

#include "graphics/PlainPng.h"
#include "platform/Files.h"

namespace {

// Our largest picture is a few megabytes; a texture side beyond what GL drivers take
// (16384) is not one of ours, and its pixels are never allocated.
constexpr std::size_t kMaxPngBytes = 64u << 20;
constexpr unsigned kMaxSide = 16384;
// With the main thread, which decodes while it waits, four decoders: a load then costs
// little more than its largest picture's decode and the uploads after it. More only
// compete with each other, the GL driver's threads and whatever else runs, for the cores
// and the memory bandwidth (measured: 7 were slower than 3 on a busy 8-core machine).
constexpr unsigned kMaxWorkers = 3;

const char* Inspect(const std::string& file, unsigned& width, unsigned& height) {
    lodepng::State state;
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    if (const unsigned error = lodepng_inspect(&width, &height, &state, bytes, file.size()))
        return lodepng_error_text(error);
    if (width > kMaxSide || height > kMaxSide) return "picture too large";
    return nullptr;
}

bool Streamable(const std::string& file, const DecodedPicture& picture) {
    if (std::size_t{picture.width} * picture.height * 4 < kStreamedPictureBytes) return false;
    PlainPngReader reader;
    return reader.Open(reinterpret_cast<const unsigned char*>(file.data()), file.size());
}

const char* Decode(std::string& file, DecodedPicture& out, bool mayStream) {
    if (const char* error = Inspect(file, out.width, out.height)) return error;
    if (mayStream && Streamable(file, out)) {
        out.file = std::move(file);
        return nullptr;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
    // Our own files need no second copy; anything else goes through the general decoder.
    if (unsigned char* plain = DecodePlainPng(bytes, file.size(), out.width, out.height)) {
        out.pixels.reset(plain);
        return nullptr;
    }
    unsigned char* pixels = nullptr;  // malloc'd by the decoder, ours to free
    const unsigned error = lodepng_decode_memory(&pixels, &out.width, &out.height, bytes, file.size(), LCT_RGBA, 8);
    out.pixels.reset(pixels);
    return error ? lodepng_error_text(error) : nullptr;
}

}  // namespace

void DecodePicture(const std::string& path, DecodedPicture& out) {
    std::string file;
    if (const char* error = ReadPicture(path, file, out.width, out.height)) {
        out = DecodedPicture{};
        out.error = error;
        return;
    }
    DecodePictureFile(std::move(file), out);
}

const char* ReadPicture(const std::string& path, std::string& file, unsigned& width, unsigned& height) {
    if (!platform::ReadRegularFile(path, kMaxPngBytes, file)) return lodepng_error_text(78);  // cannot open
    return Inspect(file, width, height);
}

void DecodePictureFile(std::string file, DecodedPicture& out, bool mayStream) {
    out = DecodedPicture{};
    out.error = Decode(file, out, mayStream);
    if (!out.error && out.pixels) out.facts = ExaminePicture(out.pixels.get(), out.width, out.height);
}

unsigned DecodeWorkersForThisMachine() {
    // The cores we may run on (taskset narrows them), not those the machine has.
    unsigned cores = std::thread::hardware_concurrency();
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (sched_getaffinity(0, sizeof(allowed), &allowed) == 0) {
        const unsigned usable = static_cast<unsigned>(CPU_COUNT(&allowed));
        cores = cores == 0 ? usable : std::min(cores, usable);
    }
    return cores <= 1 ? 0 : std::min(cores - 1, kMaxWorkers);
}

void PictureDecodeAhead::Add(const std::vector<std::string>& paths, unsigned maxWorkers) {
    std::size_t waiting = 0;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const std::string& path : paths)
            if (!FindWaiting(path)) items_.push_back(Item{path, State::Queued, {}});
        for (std::size_t i = next_; i < items_.size(); ++i)
            if (items_[i].state == State::Queued) ++waiting;
    }
    changed_.notify_all();
    while (workers_.size() < std::min<std::size_t>(maxWorkers, waiting)) {
        try {
            workers_.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break;  // no more threads: the main thread decodes the rest as it needs them
        }
    }
}

bool PictureDecodeAhead::Take(const std::string& path, DecodedPicture& out) {
    std::unique_lock<std::mutex> lock(mutex_);
    Item* item = FindWaiting(path);
    if (!item) return false;
    if (item->state == State::Queued) {
        item->state = State::Decoding;
        DecodeClaimed(*item, lock);
    }
    while (item->state != State::Done) {
        // Rather than wait idle for the worker on it, decode what comes next.
        if (Item* other = ClaimNext()) DecodeClaimed(*other, lock);
        else changed_.wait(lock);
    }
    out = std::move(item->result);
    item->result = DecodedPicture{};
    item->state = State::Taken;
    return true;
}

void PictureDecodeAhead::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
    items_.clear();
    next_ = 0;
    stopping_ = false;
}

PictureDecodeAhead::Item* PictureDecodeAhead::FindWaiting(const std::string& path) {
    for (Item& item : items_)
        if (item.state != State::Taken && item.path == path) return &item;
    return nullptr;
}

PictureDecodeAhead::Item* PictureDecodeAhead::ClaimNext() {
    while (next_ < items_.size() && items_[next_].state != State::Queued) ++next_;
    if (next_ == items_.size()) return nullptr;
    Item& item = items_[next_++];
    item.state = State::Decoding;
    return &item;
}

void PictureDecodeAhead::DecodeClaimed(Item& item, std::unique_lock<std::mutex>& lock) {
    // Only the claimer touches a Decoding item's result, so the decode needs no lock.
    lock.unlock();
    DecodedPicture result;
    DecodePicture(item.path, result);
    lock.lock();
    item.result = std::move(result);
    item.state = State::Done;
    changed_.notify_all();
}

void PictureDecodeAhead::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (Item* item = ClaimNext()) DecodeClaimed(*item, lock);
        else changed_.wait(lock);
    }
}
