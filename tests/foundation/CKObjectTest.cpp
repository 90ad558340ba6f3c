// CKObject: the -1 reference-count protocol, the type test along the base chain and creation by
// class record.
#include <gtest/gtest.h>

#include "foundation/CKObject.h"

namespace {

int g_destroyed = 0;
int g_countInDestructor = 0;
int g_countAfterAddRefInDestructor = 0;

class CTestAnimal : public CKObject
{
    K_DECLARE_DYNCREATE(CTestAnimal)
public:
    ~CTestAnimal() override
    {
        ++g_destroyed;
        g_countInDestructor = GetRefCount();
        AddRef();
        g_countAfterAddRefInDestructor = GetRefCount();
    }
};
K_IMPLEMENT_DYNCREATE(CTestAnimal, CKObject)

class CTestDog : public CTestAnimal
{
    K_DECLARE_DYNCREATE(CTestDog)
};
K_IMPLEMENT_DYNCREATE(CTestDog, CTestAnimal)

class CTestPuppy : public CTestDog
{
    K_DECLARE_CLASS(CTestPuppy)
};
K_IMPLEMENT_CLASS(CTestPuppy, CTestDog)

class CTestStone : public CKObject
{
    K_DECLARE_CLASS(CTestStone)
};
K_IMPLEMENT_CLASS(CTestStone, CKObject)

} // namespace

TEST(CKObject, ReleaseOnAFreshObjectDoesNothingAndItIsDeletedDirectly)
{
    g_destroyed = 0;
    CTestAnimal* animal = new CTestAnimal();
    ASSERT_NE(animal, nullptr);
    EXPECT_EQ(animal->GetRefCount(), -1);
    animal->Release();
    animal->Release();
    EXPECT_EQ(g_destroyed, 0);
    EXPECT_EQ(animal->GetRefCount(), -1);
    animal->AddRef();
    EXPECT_EQ(animal->GetRefCount(), -1);
    delete animal;
    EXPECT_EQ(g_destroyed, 1);
}

TEST(CKObject, CountedObjectIsDeletedExactlyOnceAtTheLastRelease)
{
    g_destroyed = 0;
    CTestAnimal* animal = new CTestAnimal();
    animal->EnableRefCount();
    EXPECT_EQ(animal->GetRefCount(), 0);
    animal->EnableRefCount();   // a counted object is left as it is
    EXPECT_EQ(animal->GetRefCount(), 0);
    animal->AddRef();
    animal->AddRef();
    EXPECT_EQ(animal->GetRefCount(), 2);
    animal->EnableRefCount();
    EXPECT_EQ(animal->GetRefCount(), 2);
    animal->Release();
    EXPECT_EQ(g_destroyed, 0);
    EXPECT_EQ(animal->GetRefCount(), 1);
    animal->Release();
    EXPECT_EQ(g_destroyed, 1);
}

TEST(CKObject, AddRefAfterTheCountFellBackToMinusOneDoesNothing)
{
    // The last Release sets the count back to -1 before deleting; the destructor sees that state.
    g_destroyed = 0;
    CTestAnimal* animal = new CTestAnimal();
    animal->EnableRefCount();
    animal->AddRef();
    animal->Release();
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(g_countInDestructor, -1);
    EXPECT_EQ(g_countAfterAddRefInDestructor, -1);
}

TEST(CKObject, IsKindOfFollowsTheBaseChainOnly)
{
    CTestPuppy puppy;
    EXPECT_EQ(puppy.IsKindOf(K_RUNTIME_CLASS(CTestPuppy)), 1);
    EXPECT_EQ(puppy.IsKindOf(K_RUNTIME_CLASS(CTestDog)), 1);
    EXPECT_EQ(puppy.IsKindOf(K_RUNTIME_CLASS(CTestAnimal)), 1);
    EXPECT_EQ(puppy.IsKindOf(K_RUNTIME_CLASS(CKObject)), 1);
    EXPECT_EQ(puppy.IsKindOf(K_RUNTIME_CLASS(CTestStone)), 0);

    CTestAnimal animal;
    EXPECT_EQ(animal.IsKindOf(K_RUNTIME_CLASS(CTestDog)), 0);
    CTestStone stone;
    EXPECT_EQ(stone.IsKindOf(K_RUNTIME_CLASS(CTestAnimal)), 0);
    EXPECT_EQ(stone.IsKindOf(K_RUNTIME_CLASS(CKObject)), 1);
    EXPECT_EQ(animal.IsKindOf(nullptr), 0);

    const KRuntimeClass* record = puppy.GetRuntimeClass();
    EXPECT_STREQ(record->name, "CTestPuppy");
    EXPECT_EQ(record->size, (int)sizeof(CTestPuppy));
    EXPECT_EQ(record->base, K_RUNTIME_CLASS(CTestDog));
    EXPECT_EQ(record->create, nullptr);
    EXPECT_EQ(K_RUNTIME_CLASS(CKObject)->base, nullptr);
    EXPECT_STREQ(K_RUNTIME_CLASS(CKObject)->name, "CKObject");
}

TEST(CKObject, CreateObjectUsesTheFactoryAndGivesNoneWithoutOne)
{
    g_destroyed = 0;
    CKObject* created = CKObject::CreateObject(K_RUNTIME_CLASS(CTestDog));
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->GetRuntimeClass(), K_RUNTIME_CLASS(CTestDog));
    EXPECT_EQ(created->GetRefCount(), -1);
    delete created;
    EXPECT_EQ(g_destroyed, 1);

    EXPECT_EQ(CKObject::CreateObject(K_RUNTIME_CLASS(CTestPuppy)), nullptr);
    EXPECT_EQ(CKObject::CreateObject(K_RUNTIME_CLASS(CTestStone)), nullptr);
    EXPECT_EQ(CKObject::CreateObject(K_RUNTIME_CLASS(CKObject)), nullptr);
    EXPECT_EQ(CKObject::CreateObject(nullptr), nullptr);
}
