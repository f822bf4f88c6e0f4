#include <gtest/gtest.h>

#include "base/RefCounted.h"

namespace {

struct Tracked : CRefCountedT<FreeThreadedModel> {
  explicit Tracked(int* destroyed) : destroyed(destroyed) {}
  ~Tracked() override { ++*destroyed; }
  int* destroyed;
};

TEST(RefCountPtr, NullHolderTouchesNothing) {
  CRefCountPtr<Tracked> empty;
  CRefCountPtr<Tracked> fromNull(static_cast<Tracked*>(nullptr));
  CRefCountPtr<Tracked> copy(empty);
  copy = fromNull;
  EXPECT_TRUE(empty.IsNull());
  EXPECT_TRUE(copy.IsNull());
  EXPECT_FALSE(static_cast<bool>(fromNull));
}

TEST(RefCountPtr, ObjectStartsAtZeroAndDiesOnceWithItsLastHolder) {
  int destroyed = 0;
  auto* object = new Tracked(&destroyed);
  EXPECT_EQ(0, object->GetRefCount());
  {
    CRefCountPtr<Tracked> holder(object);
    EXPECT_EQ(1, object->GetRefCount());
    {
      CRefCountPtr<Tracked> copy(holder);
      EXPECT_EQ(2, object->GetRefCount());
    }
    EXPECT_EQ(1, object->GetRefCount());
    EXPECT_EQ(0, destroyed);
  }
  EXPECT_EQ(1, destroyed);
}

TEST(RefCountPtr, SelfAssignmentKeepsTheObject) {
  int destroyed = 0;
  CRefCountPtr<Tracked> holder(new Tracked(&destroyed));
  CRefCountPtr<Tracked>& alias = holder;
  holder = alias;
  EXPECT_EQ(0, destroyed);
  EXPECT_EQ(1, holder->GetRefCount());
}

TEST(RefCountPtr, AssignmentReleasesTheOldObject) {
  int destroyedA = 0, destroyedB = 0;
  CRefCountPtr<Tracked> a(new Tracked(&destroyedA));
  CRefCountPtr<Tracked> b(new Tracked(&destroyedB));
  a = b;
  EXPECT_EQ(1, destroyedA);
  EXPECT_EQ(0, destroyedB);
  EXPECT_EQ(2, b->GetRefCount());
  a = CRefCountPtr<Tracked>();
  EXPECT_EQ(1, b->GetRefCount());
}

}  // namespace
