// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "tiff/Exceptions.h"

namespace vantrel {
namespace {

TEST(Exceptions, OSErrorCarriesCodeAndSystemText) {
    const EOSError e = EOSError::FromErrno(ENOENT);
    EXPECT_EQ(e.ErrorCode(), ENOENT);
    EXPECT_EQ(e.Message(), std::string("System Error.  Code: 2.\r\n") + std::strerror(ENOENT));
    EXPECT_STREQ(e.ClassName(), "EOSError");
}

TEST(Exceptions, ClassNamesTellTheKindsApart) {
    const ETIFFError tiff("x");
    const Exception& base = tiff;
    EXPECT_STREQ(base.ClassName(), "ETIFFError");
    EXPECT_STREQ(Exception("y").ClassName(), "Exception");
    EXPECT_STREQ(base.what(), "x");
}

} // namespace
} // namespace vantrel
