#pragma once
// One global queue of deferred calls, run by kind at fixed points of the frame.
//
// Kinds: 0 second copies of constructor look-ups (never run, so never queued);
// 1 look-ups after all components of a scene or prefab exist; 3 end of every
// update pass (starts of added components, deferred destruction, gameplay delays);
// 7 after the render (audio loop points); 8 the scene load in the scene-change state.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>

#include "gameobjectengine/Handle.h"

class Component;

enum class JobKind : int {
    Never = 0,
    Lookup = 1,
    Frame = 3,
    AfterRender = 7,
    SceneLoad = 8,
};

class JobManager {
public:
    struct JobData {
        std::function<void()> job;
        JobKind kind = JobKind::Never;
        float elapsed = 0.0f;
        float delay = 0.0f;
        uint64_t serial = 0;  // order of queuing: tells the jobs a pass added from the older ones
    };

    // A job that a running job queues, due at once, still runs in the same pass: the start
    // of a component added during play must come in the frame it was added. Each pass runs
    // at most this many such jobs; the rest wait for the next pass of their kind, so no
    // chain of jobs that queue jobs can hold a frame for good.
    static constexpr std::size_t kMaxChainedJobsPerPass = 4096;

    static JobManager& GetInstance();

    // Appends a job. Empty callables and kind-0 jobs (which never run) are not queued.
    void AddJob(std::function<void()> job, JobKind kind, float delay);
    // The same, for a job that acts on a component: skipped when the component is gone by then.
    void AddJobFor(const Component* target, std::function<void()> job, JobKind kind, float delay);
    // The same, for a job bound to any life: skipped when that life has ended by then.
    void AddJobFor(LifeRef life, std::function<void()> job, JobKind kind, float delay);

    // Every queued job's elapsed time grows by dt (once per running frame).
    void AgeJobs(float dt);
    // Runs every due job of this kind; the others keep their order. Each due job is taken
    // off the queue before it is called, so a job that empties or reorders the queue never
    // drops an unrelated job or runs twice. Jobs queued by this pass's jobs run in it too,
    // up to kMaxChainedJobsPerPass.
    void RunJobs(JobKind kind);
    // Drops every job of this kind unrun; the others keep their order.
    void RemoveJobs(JobKind kind);
    // Drops every job of every kind unrun (start of a scene load).
    void Clear();

    std::size_t Count() const { return main_.size(); }
    std::size_t Count(JobKind kind) const;

private:
    template <typename Visit>
    void Walk(JobKind kind, Visit&& visitDue);

    std::deque<JobData> main_;
    std::deque<JobData> holding_;
    uint64_t nextSerial_ = 0;
};
