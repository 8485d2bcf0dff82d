// Views built from many threads at once share their classes' registration:
// the class mutexes must leave exactly one field table and one catalog per
// class, each entry in it once, whether the classes were registered before
// the threads started or get registered by the race itself.
#include "PoView.h"
#include "PoViewTestAccess.h"
#include "SceneViewTestAccess.h"
#include "TestViewKit.h"

#include <Inventor/SoDB.h>
#include <Inventor/errors/SoDebugError.h>
#include <Inventor/fields/SoFieldData.h>
#include <Inventor/nodekits/SoNodekitCatalog.h>
#include <Inventor/nodes/SoCallback.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kThreads = 8;
constexpr int kViewsPerKind = 4;
// Only the first construction after registration builds the tables, so the
// race is run again from a fresh registration this many times.
constexpr int kRounds = 12;

// One concrete view class and what its own registration adds.
struct ViewKind {
  const char *typeName;
  std::function<PoBaseView *()> make;
  std::function<const SoFieldData *()> fieldData;
  std::function<const SoNodekitCatalog *()> catalog;
  std::vector<const char *> parts;  // catalog entries (and part fields) of its own
  std::vector<const char *> fields; // fields of its own that are no parts
};

std::vector<ViewKind> viewKinds() {
  return {
      {"PoView", [] { return new PoView; }, [] { return PoViewTestAccess::fieldData(); },
       [] { return PoView::getClassNodekitCatalog(); },
       {"catchActionCallback", "cameraKit", "overlaySep", "labelLook", "labelApp", "overlay"},
       {"label", "isAxesVisible"}},
      {"PoSceneView", [] { return new PoSceneView; },
       [] { return PoSceneViewTestAccess::fieldData(); },
       [] { return PoSceneView::getClassNodekitCatalog(); },
       {"topSep", "catchActionCallback", "backgroundSep", "backgroundApp", "background", "sceneSep",
        "cameraKit", "scene", "borderSep", "borderApp", "border", "activeBorderSep",
        "activeBorderApp", "activeBorder", "overlaySep", "labelLook", "labelApp", "overlay"},
       {"isBackgroundVisible", "isBorderVisible", "label", "isAxesVisible"}},
  };
}

// Debug reports from any thread, in the order they came.
class ThreadSafeCapture {
public:
  ThreadSafeCapture()
      : m_previous(SoDebugError::getHandlerCallback()), m_previousData(SoDebugError::getHandlerData()) {
    SoDebugError::setHandlerCallback(&ThreadSafeCapture::handler, this);
  }
  ~ThreadSafeCapture() { SoDebugError::setHandlerCallback(m_previous, m_previousData); }

  int count(const std::string &text) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    int n = 0;
    for (const std::string &report : m_reports)
      if (report.find(text) != std::string::npos) ++n;
    return n;
  }
  std::size_t size() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_reports.size();
  }

private:
  static void handler(const SoError *error, void *data) {
    auto *self = static_cast<ThreadSafeCapture *>(data);
    std::lock_guard<std::mutex> lock(self->m_mutex);
    self->m_reports.push_back(error->getDebugString().getString());
  }
  mutable std::mutex m_mutex;
  std::vector<std::string> m_reports;
  SoErrorCB *m_previous;
  void *m_previousData;
};

// Lets the threads go together, so that their first constructions overlap:
// each thread spins until all have arrived.
class StartLine {
public:
  explicit StartLine(int threads) : m_threads(threads) {}
  void arriveAndWait() {
    m_arrived.fetch_add(1);
    while (m_arrived.load() < m_threads) std::this_thread::yield();
  }

private:
  const int m_threads;
  std::atomic<int> m_arrived{0};
};

// Coin counts running notifications in one process-wide int that it changes
// without a lock. Every construction sets fields, and fields set from several
// threads at once lose counts: Coin is left believing a notification is still
// running and never runs priority-0 sensors again (a scene view's switches
// stop drawing its decorations, in every later test). That is Coin's, and
// any field set from two threads does it, so after each race the count is
// put back to zero: ended while positive, then raised to exactly one and
// ended once more.
void restoreCoinNotificationCount() {
  while (SoDB::isNotifying()) SoDB::endNotify();
  do SoDB::startNotify();
  while (!SoDB::isNotifying());
  SoDB::endNotify();
}

// Builds kViewsPerKind views of every kind on each of `threads` threads, the
// threads taking the kinds in different orders, and hands back every view
// (each holding one reference).
std::vector<PoBaseView *> buildFromThreads(int threads, const std::vector<ViewKind> &kinds) {
  std::vector<std::vector<PoBaseView *>> built(threads);
  std::vector<std::thread> workers;
  StartLine start(threads);
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      start.arriveAndWait();
      for (int i = 0; i < kViewsPerKind; ++i)
        for (std::size_t k = 0; k < kinds.size(); ++k) {
          PoBaseView *view = kinds[(k + t) % kinds.size()].make();
          view->ref();
          built[t].push_back(view);
        }
    });
  }
  for (std::thread &worker : workers) worker.join();
  restoreCoinNotificationCount();
  std::vector<PoBaseView *> all;
  for (auto &views : built) all.insert(all.end(), views.begin(), views.end());
  return all;
}


int countPart(const SoNodekitCatalog *catalog, const char *name) {
  int count = 0;
  for (int i = 0; catalog && i < catalog->getNumEntries(); ++i)
    if (catalog->getName(i) == name) ++count;
  return count;
}

int baseKitFieldCount() {
  SoBaseKit *kit = new SoBaseKit;
  kit->ref();
  const int count = static_cast<SoFieldContainer *>(kit)->getFieldData()->getNumFields();
  kit->unref();
  return count;
}

// Every class has one field table and one catalog holding each of its own
// entries once, after its parent's; every view is whole and bound to itself.
void expectRegisteredOnce(const std::vector<ViewKind> &kinds, const std::vector<PoBaseView *> &views) {
  const SoFieldData *baseData = PoBaseViewTestAccess::fieldData();
  ASSERT_NE(baseData, nullptr);
  EXPECT_EQ(baseData->getNumFields(), baseKitFieldCount() + 4);
  EXPECT_EQ(countField(baseData, "viewportOrigin"), 1);
  EXPECT_EQ(countField(baseData, "viewportSize"), 1);
  EXPECT_EQ(countField(baseData, "isVisible"), 1);
  EXPECT_EQ(countField(baseData, "navigation"), 1);
  const SoNodekitCatalog *baseCatalog = PoBaseView::getClassNodekitCatalog();
  ASSERT_NE(baseCatalog, nullptr);

  for (const ViewKind &kind : kinds) {
    SCOPED_TRACE(kind.typeName);
    const SoFieldData *data = kind.fieldData();
    ASSERT_NE(data, nullptr);
    const int parts = static_cast<int>(kind.parts.size());
    EXPECT_EQ(data->getNumFields(),
              baseData->getNumFields() + parts + static_cast<int>(kind.fields.size()));
    for (int i = 0; i < baseData->getNumFields() && i < data->getNumFields(); ++i)
      EXPECT_EQ(data->getFieldName(i), baseData->getFieldName(i));
    const SoNodekitCatalog *catalog = kind.catalog();
    ASSERT_NE(catalog, nullptr);
    EXPECT_EQ(catalog->getNumEntries(), baseCatalog->getNumEntries() + parts);
    for (const char *part : kind.parts) {
      EXPECT_EQ(countField(data, part), 1) << part;
      EXPECT_EQ(countPart(catalog, part), 1) << part;
    }
    for (const char *field : kind.fields) EXPECT_EQ(countField(data, field), 1) << field;
  }

  for (PoBaseView *view : views) {
    const ViewKind *kind = nullptr;
    for (const ViewKind &k : kinds)
      if (view->getTypeId() == SoType::fromName(k.typeName)) kind = &k;
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(view->getFieldData(), kind->fieldData());
    std::vector<const char *> names = kind->parts;
    names.insert(names.end(), kind->fields.begin(), kind->fields.end());
    for (const char *name : names) {
      SoField *field = view->getField(name);
      ASSERT_NE(field, nullptr) << name;
      EXPECT_EQ(field->getContainer(), view) << name;
    }
    EXPECT_EQ(view->getField("viewportOrigin")->getContainer(), view);
    EXPECT_EQ(view->viewportSize.getValue(), SbVec2f(1, 1));
    SoNode *callback = view->getPart("catchActionCallback", FALSE);
    ASSERT_NE(callback, nullptr);
    EXPECT_TRUE(callback->isOfType(SoCallback::getClassTypeId()));
  }
}

void release(std::vector<PoBaseView *> &views) {
  for (PoBaseView *view : views) view->unref();
  views.clear();
}


// Each test starts from the module unregistered and leaves it registered
// afresh, as the other tests expect it.
class ConcurrentConstruction : public ::testing::Test {
protected:
  void SetUp() override {
    ThreadSafeCapture quiet;
    PoBaseView::exitClasses();
  }
  void TearDown() override {
    ThreadSafeCapture quiet;
    PoBaseView::exitClasses();
    PoBaseView::initClasses();
  }
};

} // namespace

TEST_F(ConcurrentConstruction, AfterInitClassesFromEightThreads) {
  const std::vector<ViewKind> kinds = viewKinds();
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    {
      ThreadSafeCapture quiet;
      PoBaseView::exitClasses();
      PoBaseView::initClasses();
    }
    ThreadSafeCapture capture;
    std::vector<PoBaseView *> views = buildFromThreads(kThreads, kinds);
    EXPECT_EQ(views.size(), static_cast<std::size_t>(kThreads * kViewsPerKind) * kinds.size());
    EXPECT_EQ(capture.size(), 0u);
    expectRegisteredOnce(kinds, views);
    EXPECT_EQ(PoBaseViewTestAccess::firstInstance(), 0);
    EXPECT_EQ(PoViewTestAccess::firstInstance(), 0);
    EXPECT_EQ(PoSceneViewTestAccess::firstInstance(), 0);
    release(views);
  }
}

// Nothing is registered when the threads start: the first construction of
// each class registers it on the spot, says so once, and every other
// construction waits for it.
TEST_F(ConcurrentConstruction, BeforeInitClassesRegistersEachClassOnce) {
  const std::vector<ViewKind> kinds = viewKinds();
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    {
      ThreadSafeCapture quiet;
      PoBaseView::exitClasses();
    }
    const int indexBefore = nextActionMethodIndex();
    ThreadSafeCapture capture;
    std::vector<PoBaseView *> views = buildFromThreads(4, kinds);
    EXPECT_EQ(
        capture.count("Can't construct a node of type PoBaseView until initClass() has been called"),
        1);
    for (const ViewKind &kind : kinds)
      EXPECT_EQ(capture.count(std::string("Can't construct a node of type ") + kind.typeName +
                              " until initClass() has been called"),
                1)
          << kind.typeName;
    EXPECT_EQ(capture.size(), 1 + kinds.size());
    // One action-method index for PoBaseView and one for each kit.
    EXPECT_EQ(nextActionMethodIndex(), indexBefore + 1 + static_cast<int>(kinds.size()));
    expectRegisteredOnce(kinds, views);
    release(views);
  }
}
