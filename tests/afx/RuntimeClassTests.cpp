#include "AfxTestSupport.h"

#include <afxmt.h>
#include <afxwin.h>

#include <gtest/gtest.h>

// A small hierarchy: Animal (dynamic only) <- Dog (creatable) <- Puppy (creatable); Robot stands apart.
class CAnimal : public CObject
{
    DECLARE_DYNAMIC(CAnimal)
public:
    virtual const wchar_t* Sound() const { return L"..."; }
};

class CDog : public CAnimal
{
    DECLARE_DYNCREATE(CDog)
public:
    const wchar_t* Sound() const override { return L"woof"; }
    int m_nLegs = 4;
};

class CPuppy : public CDog
{
    DECLARE_DYNCREATE(CPuppy)
public:
    const wchar_t* Sound() const override { return L"yip"; }
};

class CRobot : public CObject
{
    DECLARE_DYNCREATE(CRobot)
};

// Creatable by name, but its constructor fails with a framework exception.
class CFaultyFactory : public CObject
{
    DECLARE_DYNCREATE(CFaultyFactory)
public:
    CFaultyFactory() { AfxThrowResourceException(); }
};

IMPLEMENT_DYNAMIC(CAnimal, CObject)
IMPLEMENT_DYNCREATE(CDog, CAnimal)
IMPLEMENT_DYNCREATE(CPuppy, CDog)
IMPLEMENT_DYNCREATE(CRobot, CObject)
IMPLEMENT_DYNCREATE(CFaultyFactory, CObject)

TEST(AfxRuntimeClass, TheHierarchyDecidesKindsAndDowncastsAndOnlyCreatableClassesMakeObjects)
{
    CPuppy puppy;
    CRobot robot;
    CObject* pPuppy = &puppy;
    CObject* pRobot = &robot;
    EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_FALSE(CDog().IsKindOf(RUNTIME_CLASS(CPuppy)));
    EXPECT_FALSE(robot.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_FALSE(RUNTIME_CLASS(CDog)->IsDerivedFrom(nullptr));
    EXPECT_EQ(&puppy, DYNAMIC_DOWNCAST(CDog, pPuppy));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CDog, pRobot));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CDog, static_cast<CObject*>(nullptr)));
    // The stand-in's own classes derive from one another as declared.
    EXPECT_TRUE(CEvent().IsKindOf(RUNTIME_CLASS(CSyncObject)));
    EXPECT_FALSE(RUNTIME_CLASS(CWinThread)->IsDerivedFrom(RUNTIME_CLASS(CSyncObject)));

    // Names are found case-sensitively; the most derived class is made.
    EXPECT_EQ(RUNTIME_CLASS(CDog), CRuntimeClass::FromName(L"CDog"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("cdog"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)));
    CObject* pObject = RUNTIME_CLASS(CPuppy)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_STREQ(L"yip", static_cast<CAnimal*>(pObject)->Sound());
    EXPECT_EQ(4, static_cast<CDog*>(pObject)->m_nLegs);
    delete pObject;
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CAnimal)->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CAnimal"));
    // A constructor that throws gives no object.
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CFaultyFactory"));
}
