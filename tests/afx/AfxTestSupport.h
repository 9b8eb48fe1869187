// Helpers shared by the stand-in's tests.
#pragma once

#include <afx.h>

#include <functional>

// True when calling f throws an MFC exception of class E (by pointer, as MFC throws); the exception is
// deleted either way. Any other framework exception counts as a failure.
template <class E> bool ThrowsAfx(const std::function<void()>& f)
{
    try
    {
        f();
    }
    catch (E* e)
    {
        e->Delete();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    return false;
}

// The text of an exception's GetErrorMessage.
inline CString ErrorMessageOf(const CException& e)
{
    wchar_t buffer[512];
    if (!e.GetErrorMessage(buffer, 512))
    {
        return CString();
    }
    return CString(buffer);
}
