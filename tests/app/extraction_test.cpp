// The embedded files: what the program carries, and writing one of them out.
#include "app_fixture.h"

#include <filesystem>
#include <span>

#include "app/embedded_resources.h"
#include "platform/embedded_files.h"

namespace {

namespace fs = std::filesystem;

std::string SourceFile(const std::string& strPath)
{
    return ReadFileText(std::string(VELK_SOURCE_DIR) + "/app/resources/" + strPath);
}

std::string Embedded(const char* szKind, int nNumber)
{
    std::span<const BYTE> bytes = FindEmbeddedFile(szKind, nNumber);
    return std::string(bytes.begin(), bytes.end());
}

TEST(EmbeddedResourcesTest, TheProgramCarriesEveryLayoutVariantThePicturesAndTheIcon)
{
    for (int nNumber : {149, 150, 151, 159, 160, 161, 162, 163, 164, 165, 166, 169, 175, 178}) {
        const std::string strSource = SourceFile("layout/" + std::to_string(nNumber) + ".xml");
        ASSERT_FALSE(strSource.empty()) << nNumber;
        EXPECT_EQ(Embedded(kLayoutKind, nNumber), strSource) << nNumber;
    }
    for (const PictureResource& picture : kPictureResources) {
        const std::string strSource = SourceFile("pictures" + std::string(picture.szFileName).replace(0, 1, "/"));
        ASSERT_FALSE(strSource.empty()) << picture.szFileName;
        EXPECT_EQ(Embedded(picture.szKind, picture.nNumber), strSource) << picture.szFileName;
    }
    EXPECT_EQ(Embedded(kIconKind, kIconNumber), SourceFile("icon/256x256.png"));
    EXPECT_EQ(Embedded(kSmallIconKind, kIconNumber), SourceFile("icon/16x16.png"));
}

using ExtractionTest = AppTest;

TEST_F(ExtractionTest, AnEmbeddedFileReplacesWhatThePathHeldByteForByte)
{
    CTestApp app;
    const std::string strPath = Root() + "/out.xml";
    WriteFileText(strPath, std::string(100000, 'x'));
    // The system's notation: backslashes as separators.
    EXPECT_TRUE(app.ExtractResourceToFile("XML", 175, Root() + "\\out.xml"));
    EXPECT_EQ(ReadFileText(strPath), Embedded("XML", 175));
}

TEST_F(ExtractionTest, NothingIsWrittenForAnEmptyPathOrAFileThatIsNotEmbedded)
{
    CTestApp app;
    EXPECT_FALSE(app.ExtractResourceToFile("XML", 150, ""));
    EXPECT_FALSE(app.ExtractResourceToFile("XML", 158, Root() + "/a"));
    EXPECT_FALSE(app.ExtractResourceToFile("xml", 150, Root() + "/b"));
    EXPECT_FALSE(fs::exists(Root() + "/a"));
    EXPECT_FALSE(fs::exists(Root() + "/b"));
}

TEST_F(ExtractionTest, APathThatCannotBeOpenedOrAFullDiskFails)
{
    CTestApp app;
    EXPECT_FALSE(app.ExtractResourceToFile("PNG", 146, Root() + "/missing/folder/x.png"));
    EXPECT_FALSE(app.ExtractResourceToFile("PNG", 146, Root()));
    // Opening succeeds, writing does not: the result says so.
    EXPECT_FALSE(app.ExtractResourceToFile("PNG", 146, "/dev/full"));
}

} // namespace
