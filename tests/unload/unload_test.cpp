// Loads the library into a process that has Coin initialised but never calls
// initClasses, then unloads it: Coin's type system must not notice.
#include <Inventor/SoDB.h>
#include <Inventor/SoType.h>
#include <Inventor/lists/SoTypeList.h>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <vector>

namespace {
int countTypes() {
  SoTypeList all;
  return SoType::getAllDerivedFrom(SoType::fromName("Base"), all) +
         SoType::getAllDerivedFrom(SoType::fromName("Action"), all) +
         SoType::getAllDerivedFrom(SoType::fromName("Element"), all);
}
} // namespace

class ClassMutex;

TEST(LibraryLoad, LoadAndUnloadLeaveTypeSystemUntouched) {
  SoDB::init();
  const int typesBefore = countTypes();

  void *library = dlopen(BRENNICQT_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_EQ(countTypes(), typesBefore);
  EXPECT_TRUE(SoType::fromName("PoBaseView").isBad());
  EXPECT_TRUE(SoType::fromName("PoView").isBad());
  EXPECT_TRUE(SoType::fromName("PoSceneView").isBad());
  EXPECT_TRUE(SoType::fromName("PoToVRML2Action").isBad());

  // The mutexes are destroyed in PoView, PoSceneView, PoBaseView order.
  // The hook's own type, which the library calls it through.
  using Hook = void (*)(const ClassMutex *);
  auto *hook = reinterpret_cast<Hook *>(dlsym(library, "_ZN10ClassMutex13s_destroyHookE"));
  ASSERT_NE(hook, nullptr);
  static std::vector<const void *> destroyed;
  *hook = [](const ClassMutex *mutex) { destroyed.push_back(mutex); };
  const void *baseMutex = dlsym(library, "_ZN10PoBaseView10classMutexE");
  const void *viewMutex = dlsym(library, "_ZN6PoView10classMutexE");
  const void *sceneMutex = dlsym(library, "_ZN11PoSceneView10classMutexE");
  ASSERT_NE(baseMutex, nullptr);

  EXPECT_EQ(dlclose(library), 0);
  EXPECT_EQ(countTypes(), typesBefore);
  EXPECT_TRUE(SoType::fromName("PoBaseView").isBad());

  std::vector<const void *> expected;
  for (const void *mutex : {viewMutex, sceneMutex, baseMutex})
    if (mutex) expected.push_back(mutex);
  EXPECT_EQ(destroyed, expected);
}
