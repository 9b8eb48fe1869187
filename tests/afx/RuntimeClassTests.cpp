#include "AfxTestSupport.h"

#include <afxmt.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include <cstring>

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

TEST(AfxRuntimeClass, IsKindOfFollowsTheHierarchy)
{
    CPuppy puppy;
    CDog dog;
    CRobot robot;
    EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CPuppy)));
    EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(puppy.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(dog.IsKindOf(RUNTIME_CLASS(CPuppy)));
    EXPECT_FALSE(robot.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(RUNTIME_CLASS(CPuppy)->IsDerivedFrom(RUNTIME_CLASS(CAnimal)));
    EXPECT_FALSE(RUNTIME_CLASS(CAnimal)->IsDerivedFrom(RUNTIME_CLASS(CDog)));
    EXPECT_FALSE(RUNTIME_CLASS(CDog)->IsDerivedFrom(nullptr));

    // Across modules: the stand-in's own classes derive from one another as declared.
    CEvent event;
    EXPECT_TRUE(event.IsKindOf(RUNTIME_CLASS(CSyncObject)));
    EXPECT_TRUE(RUNTIME_CLASS(CWinThread)->IsDerivedFrom(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_FALSE(RUNTIME_CLASS(CWinThread)->IsDerivedFrom(RUNTIME_CLASS(CSyncObject)));
}

TEST(AfxRuntimeClass, CreateObjectMakesTheMostDerivedClass)
{
    CObject* pObject = RUNTIME_CLASS(CPuppy)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(RUNTIME_CLASS(CPuppy), pObject->GetRuntimeClass());
    EXPECT_STREQ(L"yip", static_cast<CAnimal*>(pObject)->Sound());
    EXPECT_EQ(4, static_cast<CDog*>(pObject)->m_nLegs);
    delete pObject;

    EXPECT_EQ(nullptr, RUNTIME_CLASS(CAnimal)->CreateObject());
}

TEST(AfxRuntimeClass, FromNameFindsRegisteredClassesOfEveryModule)
{
    EXPECT_EQ(RUNTIME_CLASS(CPuppy), CRuntimeClass::FromName("CPuppy"));
    EXPECT_EQ(RUNTIME_CLASS(CDog), CRuntimeClass::FromName(L"CDog"));
    EXPECT_EQ(RUNTIME_CLASS(CAnimal), CRuntimeClass::FromName("CAnimal"));
    EXPECT_EQ(RUNTIME_CLASS(CWinThread), CRuntimeClass::FromName("CWinThread"));
    EXPECT_EQ(RUNTIME_CLASS(CFileException), CRuntimeClass::FromName(L"CFileException"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("cdog")); // names are case-sensitive
    EXPECT_EQ(nullptr, CRuntimeClass::FromName("CUnicorn"));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)));
    EXPECT_EQ(nullptr, CRuntimeClass::FromName(L""));

    CObject* pObject = CRuntimeClass::CreateObject(L"CDog");
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CPuppy)));
    delete pObject;
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CAnimal"));
    // A constructor that throws gives no object.
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CFaultyFactory)->CreateObject());
    EXPECT_EQ(nullptr, CRuntimeClass::CreateObject("CFaultyFactory"));
}

TEST(AfxRuntimeClass, EachClassIsRegisteredOnceInTheModuleState)
{
    const CTypedSimpleList<CRuntimeClass*>& classes = AfxGetModuleState()->m_classList;
    int dogs = 0;
    int total = 0;
    for (CRuntimeClass* pClass = classes.GetHead(); pClass != nullptr; pClass = classes.GetNext(pClass))
    {
        ++total;
        if (std::strcmp(pClass->m_lpszClassName, "CDog") == 0)
        {
            ++dogs;
        }
    }
    EXPECT_EQ(1, dogs);
    EXPECT_GT(total, 10); // the stand-in's classes and this program's
}

TEST(AfxRuntimeClass, DynamicDowncastChecksTheClass)
{
    CPuppy puppy;
    CRobot robot;
    CObject* pPuppy = &puppy;
    CObject* pRobot = &robot;
    EXPECT_EQ(&puppy, DYNAMIC_DOWNCAST(CDog, pPuppy));
    EXPECT_EQ(&puppy, DYNAMIC_DOWNCAST(CPuppy, pPuppy));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CDog, pRobot));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CDog, static_cast<CObject*>(nullptr)));
    EXPECT_EQ(&puppy, STATIC_DOWNCAST(CAnimal, pPuppy));
}
