#include "platform/inet/LineEndConverter.h"

#include <gtest/gtest.h>

TEST(AsciiDecoderTest, TurnsCrLfIntoLf)
{
    AsciiDecoder decoder;
    std::string out;
    decoder.Decode("one\r\ntwo\r\n", out);
    decoder.Finish(out);
    EXPECT_EQ(out, "one\ntwo\n");
}

TEST(AsciiDecoderTest, JoinsCrLfSplitAcrossBlocks)
{
    AsciiDecoder decoder;
    std::string out;
    decoder.Decode("one\r", out);
    EXPECT_EQ(out, "one");
    decoder.Decode("\ntwo", out);
    decoder.Finish(out);
    EXPECT_EQ(out, "one\ntwo");
}

TEST(AsciiDecoderTest, KeepsLoneCrIncludingAtTheEnd)
{
    AsciiDecoder decoder;
    std::string out;
    decoder.Decode("a\rb\r", out);
    decoder.Decode("\r", out);
    decoder.Finish(out);
    EXPECT_EQ(out, "a\rb\r\r");
}

TEST(AsciiEncoderTest, TurnsLfIntoCrLf)
{
    AsciiEncoder encoder;
    std::string out;
    encoder.Encode("one\ntwo\n\n", out);
    EXPECT_EQ(out, "one\r\ntwo\r\n\r\n");
}

TEST(AsciiEncoderTest, LeavesExistingCrLfAloneAcrossBlocks)
{
    AsciiEncoder encoder;
    std::string out;
    encoder.Encode("dos\r", out);
    encoder.Encode("\nunix\n", out);
    EXPECT_EQ(out, "dos\r\nunix\r\n");
}

TEST(AsciiConverterTest, RoundTripsUnixText)
{
    const std::string text = "line 1\nline 2\n\nlast";
    AsciiEncoder encoder;
    std::string wire;
    for (char c : text)
        encoder.Encode(std::string_view(&c, 1), wire);
    AsciiDecoder decoder;
    std::string back;
    for (char c : wire)
        decoder.Decode(std::string_view(&c, 1), back);
    decoder.Finish(back);
    EXPECT_EQ(back, text);
}
