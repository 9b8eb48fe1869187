// StringTest<S>: the fixture of the typed tests that run VUnicodeString and VString through the same cases.
// Texts are written in ASCII and widened to the string's character type.
//
//     TYPED_TEST(CoreString, AppendJoins)
//     {
//         using F = TestFixture;
//         TypeParam s = F::Make("ab");
//         s.Append(F::Of("cd").c_str());
//         EXPECT_EQ("abcd", Ascii(s));
//     }
#pragma once

#include <gtest/gtest.h>

#include "core/VString.h"
#include "core/VUnicodeString.h"

#include <cstring>
#include <string>
#include <type_traits>

template <class S> class StringTest : public ::testing::Test
{
public:
    using Char = std::remove_cv_t<std::remove_pointer_t<decltype(std::declval<const S&>().GetString())>>;
    using Text = std::basic_string<Char>;

    static Text Of(const char* ascii) { return Of(ascii, std::strlen(ascii)); }
    static Text Of(const char* ascii, std::size_t length) { return Text(ascii, ascii + length); }
    static S Make(const char* ascii, Str::SensitiveState sensitivity = Str::NotSensitive)
    {
        return S(Of(ascii).c_str(), -1, sensitivity);
    }
};

// The string's characters, each narrowed to a char: readable in failure messages for ASCII texts.
template <class S> std::string Ascii(const S& s)
{
    return std::string(s.GetString(), s.GetString() + s.GetLength());
}

using BothStrings = ::testing::Types<VUnicodeString, VString>;
