#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineHarness.h"
#include "Probe.h"
#include "gameobjectengine/JobManager.h"

namespace {

class JobManagerTest : public ::testing::Test {
protected:
    void SetUp() override { jobs.Clear(); }
    void TearDown() override { jobs.Clear(); }
    JobManager& jobs = JobManager::GetInstance();
    std::vector<std::string> ran;
    auto Record(std::string name) {
        return [this, name]() { ran.push_back(name); };
    }
};

TEST_F(JobManagerTest, RunsOnlyDueJobsOfTheKindAndKeepsOthersInOrder) {
    jobs.AddJob(Record("a3"), JobKind::Frame, 0.0f);
    jobs.AddJob(Record("b7"), JobKind::AfterRender, 0.0f);
    jobs.AddJob(Record("c3-late"), JobKind::Frame, 1.0f);
    jobs.AddJob(Record("d3"), JobKind::Frame, 0.0f);
    jobs.RunJobs(JobKind::Frame);
    EXPECT_EQ(ran, (std::vector<std::string>{"a3", "d3"}));
    ASSERT_EQ(jobs.Count(), 2u);
    jobs.RunJobs(JobKind::AfterRender);
    EXPECT_EQ(ran.back(), "b7");
}

TEST_F(JobManagerTest, DelayedJobRunsOnceAgeReachesDelay) {
    jobs.AddJob(Record("late"), JobKind::Frame, 1.0f);
    for (int i = 0; i < 3; ++i) {
        jobs.AgeJobs(0.25f);
        jobs.RunJobs(JobKind::Frame);
    }
    EXPECT_TRUE(ran.empty());
    jobs.AgeJobs(0.25f);
    jobs.RunJobs(JobKind::Frame);
    EXPECT_EQ(ran, std::vector<std::string>{"late"});
}

TEST_F(JobManagerTest, JobQueuedDuringPassRunsInSamePass) {
    jobs.AddJob([this]() {
        ran.push_back("outer");
        jobs.AddJob(Record("inner"), JobKind::Frame, 0.0f);
    }, JobKind::Frame, 0.0f);
    jobs.RunJobs(JobKind::Frame);
    EXPECT_EQ(ran, (std::vector<std::string>{"outer", "inner"}));
    EXPECT_EQ(jobs.Count(), 0u);
}

TEST_F(JobManagerTest, JobThatEmptiesQueueKeepsWhatItQueuedAndRunsOnce) {
    jobs.AddJob(Record("parked"), JobKind::AfterRender, 0.0f);
    jobs.AddJob([this]() {
        ran.push_back("loader");
        jobs.Clear();
        jobs.AddJob(Record("queued-by-load"), JobKind::Frame, 0.0f);
    }, JobKind::SceneLoad, 0.0f);
    jobs.AddJob(Record("dropped"), JobKind::SceneLoad, 0.0f);
    jobs.RunJobs(JobKind::SceneLoad);
    EXPECT_EQ(ran, std::vector<std::string>{"loader"});
    ASSERT_EQ(jobs.Count(), 1u);
    EXPECT_EQ(jobs.Count(JobKind::Frame), 1u);
}

TEST_F(JobManagerTest, JobThatRotatesQueueNeitherDropsNorRepeats) {
    // A job that runs a nested pass of another kind must not lose the jobs parked around it.
    jobs.AddJob(Record("keep7"), JobKind::AfterRender, 0.0f);
    jobs.AddJob([this]() {
        ran.push_back("nest");
        jobs.RemoveJobs(JobKind::Lookup);
        jobs.RunJobs(JobKind::Lookup);
    }, JobKind::Frame, 0.0f);
    jobs.AddJob(Record("after"), JobKind::Frame, 0.0f);
    jobs.RunJobs(JobKind::Frame);
    EXPECT_EQ(ran, (std::vector<std::string>{"nest", "after"}));
    EXPECT_EQ(jobs.Count(JobKind::AfterRender), 1u);
    jobs.RunJobs(JobKind::AfterRender);
    EXPECT_EQ(ran.back(), "keep7");
}

TEST_F(JobManagerTest, EmptyCallablesAndNeverKindAreNotQueued) {
    jobs.AddJob(std::function<void()>(), JobKind::Frame, 0.0f);
    jobs.AddJob(Record("never"), JobKind::Never, 0.0f);
    EXPECT_EQ(jobs.Count(), 0u);
}

TEST_F(JobManagerTest, RemoveJobsDropsOnlyThatKind) {
    jobs.RemoveJobs(JobKind::Frame);  // empty queue: nothing
    jobs.AddJob(Record("1"), JobKind::Lookup, 0.0f);
    jobs.AddJob(Record("3a"), JobKind::Frame, 5.0f);
    jobs.AddJob(Record("1b"), JobKind::Lookup, 0.0f);
    jobs.AddJob(Record("3b"), JobKind::Frame, 0.0f);
    jobs.RemoveJobs(JobKind::Lookup);
    ASSERT_EQ(jobs.Count(), 2u);
    jobs.AgeJobs(5.0f);
    jobs.RunJobs(JobKind::Frame);
    EXPECT_EQ(ran, (std::vector<std::string>{"3a", "3b"}));
}

TEST(JobLiveness, JobBoundToDestroyedComponentIsSkipped) {
    EngineHarness engine;
    engine.LoadSceneText(R"({"GameObjects": [["A", 1]], "Components": [], "Dialogue": []})");
    GameObject* object = engine.Find("A");
    ASSERT_NE(object, nullptr);
    Probe* probe = object->AddComponent<Probe>(true);
    bool ran = false;
    JobManager::GetInstance().AddJobFor(probe, [&ran]() { ran = true; }, JobKind::Frame, 0.5f);
    SceneManager::GetInstance().DestroyGameObjectNow(object->id);
    JobManager::GetInstance().AgeJobs(1.0f);
    JobManager::GetInstance().RunJobs(JobKind::Frame);
    EXPECT_FALSE(ran);
}

}  // namespace
