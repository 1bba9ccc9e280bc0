#include "platform/inet/FtpFeatures.h"

#include <gtest/gtest.h>

TEST(FtpFeaturesTest, ReadsFeatureLinesWithParameters)
{
    FtpReply reply{211, {"211-Features:", " EPSV", " mlst type*;size*;modify*;", " UTF8", "211 End"}};
    FtpFeatures features = FtpFeatures::FromReply(reply);
    EXPECT_TRUE(features.Has("EPSV"));
    EXPECT_TRUE(features.Has("UTF8"));
    EXPECT_TRUE(features.Has("MLST"));
    EXPECT_EQ(features.Parameters("MLST"), "type*;size*;modify*;");
    EXPECT_FALSE(features.Has("MDTM"));
}

TEST(FtpFeaturesTest, RefusedFeatGivesNoFeatures)
{
    FtpFeatures features = FtpFeatures::FromReply(FtpReply{500, {"500 FEAT not understood"}});
    EXPECT_FALSE(features.Has("FEAT"));
    EXPECT_FALSE(features.Parameters("EPSV"));
}

TEST(FtpFeaturesTest, CodeLinesAreNoFeatures)
{
    FtpFeatures features = FtpFeatures::FromReply(FtpReply{211, {"211-Extensions supported", "211 END"}});
    EXPECT_FALSE(features.Has("211-EXTENSIONS"));
    EXPECT_FALSE(features.Has("END"));
}
