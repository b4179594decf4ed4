// Per-thread objects (tovik::ThreadLocal), which hold the log's lines in
// composition and a native thread's attachment to the Java VM: every thread
// has its own, and it is destroyed intact on its own thread as the thread
// ends, whichever way the thread was started.

#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tovik/platform.h"
#include "tovik/threadlocal.h"

namespace {

struct Destroyed {
  DWORD owner;        // the thread that used the object
  DWORD destroyedOn;  // the thread that ran its destructor
  std::vector<std::string> texts;
};

std::mutex g_lock;
std::vector<Destroyed> g_destroyed;

// Owns heap memory, as the log's lines do: a destructor that ran on storage
// already released would find garbage here.
struct Probe {
  DWORD owner = GetCurrentThreadId();
  std::vector<std::string> texts;
  ~Probe() {
    std::lock_guard guard(g_lock);
    g_destroyed.push_back({owner, GetCurrentThreadId(), texts});
  }
};

// Uses the calling thread's probe; returns the thread's id.
DWORD Fill(const std::string& name) {
  Probe& probe = tovik::ThreadLocal<Probe>();
  probe.texts.push_back(name + " first, long enough to live on the heap");
  EXPECT_EQ(&tovik::ThreadLocal<Probe>(), &probe) << "one object per thread";
  tovik::ThreadLocal<Probe>().texts.push_back(name + " second");
  return GetCurrentThreadId();
}

struct WorkerStart {
  std::string name;
  DWORD id = 0;
};

UINT WorkerProc(LPVOID parameter) {
  auto* start = static_cast<WorkerStart*>(parameter);
  start->id = Fill(start->name);
  return 0;
}

class ThreadLocalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::lock_guard guard(g_lock);
    g_destroyed.clear();
  }
  // The probe that `owner` filled as `name` was destroyed once, on `owner`, with its texts intact.
  static void ExpectDestroyedIntact(DWORD owner, const std::string& name) {
    SCOPED_TRACE(name);
    std::lock_guard guard(g_lock);
    std::vector<Destroyed> found;
    for (const Destroyed& d : g_destroyed) {
      if (d.owner == owner) found.push_back(d);
    }
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].destroyedOn, owner);
    EXPECT_EQ(found[0].texts,
              (std::vector<std::string>{name + " first, long enough to live on the heap", name + " second"}));
  }
};

}  // namespace

TEST_F(ThreadLocalTest, EachThreadsObjectIsDestroyedIntactOnItsThreadAsItEnds) {
  DWORD first = 0, second = 0;
  std::thread a([&] { first = Fill("a"); });
  std::thread b([&] { second = Fill("b"); });
  a.join();
  b.join();
  ASSERT_NE(first, second);
  ExpectDestroyedIntact(first, "a");
  ExpectDestroyedIntact(second, "b");
}

TEST_F(ThreadLocalTest, AFrameworkWorkerThreadsObjectIsDestroyedAsItEnds) {
  // The event thread's way of starting: suspended, auto-delete off, resumed.
  WorkerStart start{"worker"};
  CWinThread* thread = AfxBeginThread(&WorkerProc, &start, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;
  thread->ResumeThread();
  ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
  delete thread;
  ExpectDestroyedIntact(start.id, "worker");
}
