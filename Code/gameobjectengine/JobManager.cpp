#include "gameobjectengine/JobManager.h"

#include <utility>

#include "gameobjectengine/Component.h"

void JobManager::AddJob(std::function<void()> job, JobKind kind, float delay) {
    if (!job || kind == JobKind::Never) return;
    main_.push_back(JobData{std::move(job), kind, 0.0f, delay, nextSerial_++});
}

void JobManager::AddJobFor(const Component* target, std::function<void()> job, JobKind kind, float delay) {
    if (!target) return;
    AddJobFor(target->GetLifetime().Ref(), std::move(job), kind, delay);
}

void JobManager::AddJobFor(LifeRef life, std::function<void()> job, JobKind kind, float delay) {
    if (!job || life.Empty()) return;
    AddJob([life, inner = std::move(job)]() {
        if (life.Alive()) inner();
    }, kind, delay);
}

void JobManager::AgeJobs(float dt) {
    for (JobData& data : main_) data.elapsed += dt;
}

template <typename Visit>
void JobManager::Walk(JobKind kind, Visit&& visitDue) {
    const uint64_t firstAdded = nextSerial_;
    std::size_t chained = 0;
    while (!main_.empty()) {
        JobData& front = main_.front();
        // A delay that is not a number is due at once, like 0.
        const bool due = !(front.elapsed < front.delay);
        const bool addedNow = front.serial >= firstAdded;
        if (front.kind != kind || !due || (addedNow && chained >= kMaxChainedJobsPerPass)) {
            holding_.push_back(std::move(front));
            main_.pop_front();
            continue;
        }
        if (addedNow) ++chained;
        JobData job = std::move(front);
        main_.pop_front();
        visitDue(job);
    }
    while (!holding_.empty()) {
        main_.push_back(std::move(holding_.front()));
        holding_.pop_front();
    }
}

void JobManager::RunJobs(JobKind kind) {
    Walk(kind, [](JobData& due) { due.job(); });
}

void JobManager::RemoveJobs(JobKind kind) {
    // Removal ignores the delay: every job of the kind goes.
    while (!main_.empty()) {
        JobData& front = main_.front();
        if (front.kind != kind) holding_.push_back(std::move(front));
        main_.pop_front();
    }
    while (!holding_.empty()) {
        main_.push_back(std::move(holding_.front()));
        holding_.pop_front();
    }
}

void JobManager::Clear() {
    main_.clear();
    holding_.clear();
}

std::size_t JobManager::Count(JobKind kind) const {
    std::size_t n = 0;
    for (const JobData& data : main_)
        if (data.kind == kind) ++n;
    return n;
}
