#include "core/Text.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// What a log line may carry: text as it is, anything else as \xNN.
TEST(TextTest, PrintableKeepsTextAndEscapesEverythingElse) {
    EXPECT_EQ(printable("ERROR : Create Window"), "ERROR : Create Window");
    EXPECT_EQ(printable("/home/Jos\xc3\xa9/\xe2\x82\xac/\xf0\x9f\x9a\xb2"), "/home/Jos\xc3\xa9/\xe2\x82\xac/\xf0\x9f\x9a\xb2");
    EXPECT_EQ(printable(std::string_view("a\0b\tc\x1b[2J\x7f", 10)), "a\\x00b\\x09c\\x1B[2J\\x7F");
    // Broken sequences: a lone continuation byte, a cut sequence, an overlong '/', a surrogate,
    // a value past U+10FFFF, a byte no UTF-8 has.
    EXPECT_EQ(printable("\x80"), "\\x80");
    EXPECT_EQ(printable("\xe2\x82"), "\\xE2\\x82");
    EXPECT_EQ(printable("\xc0\xaf"), "\\xC0\\xAF");
    EXPECT_EQ(printable("\xed\xa0\x80"), "\\xED\\xA0\\x80");
    EXPECT_EQ(printable("\xf4\x90\x80\x80"), "\\xF4\\x90\\x80\\x80");
    EXPECT_EQ(printable("\xff"), "\\xFF");
}

} // namespace
} // namespace qv
