#include "common/stored_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/gbk_codec.h"
#include "tests/temp_folder.h"

using namespace lorvane::common;

namespace {
// What reading a settings line gives for the stored text of `path`.
std::string throughTheFile(const std::string& path) {
    return pathFromStoredText(gbk::decode(gbk::encode(storedPathText(path))));
}
}  // namespace

// The GBK bytes of "第一" name the UTF-8 folder "第一" in the file, too; the
// folder that exists decides, and UTF-8 when neither or both do.
TEST(StoredPath, TheFolderThatExistsDecidesBetweenUtf8AndGbkBytes) {
    TempFolder folder;
    const std::string utf8Path = folder.file("第一");
    const std::string gbkPath = folder.file("\xB5\xDA\xD2\xBB");
    ASSERT_EQ(gbk::encode(storedPathText(utf8Path)), gbk::encode(storedPathText(gbkPath)));

    EXPECT_EQ(throughTheFile(utf8Path), utf8Path);
    EXPECT_EQ(throughTheFile(gbkPath), utf8Path);  // neither exists
    std::filesystem::create_directory(gbkPath);
    EXPECT_EQ(throughTheFile(gbkPath), gbkPath);
    EXPECT_EQ(throughTheFile(utf8Path), gbkPath);
    std::filesystem::create_directory(utf8Path);
    EXPECT_EQ(throughTheFile(utf8Path), utf8Path);
}

TEST(StoredPath, BytesOfNoEncodingAndCharactersOutsideGbkComeBack) {
    TempFolder folder;
    for (const std::string name : {"odd\xFF\x80\xC3", "😀 emoji",
                                   "\xEF\xBB\xBF"
                                   "bom",
                                   "mixed 学\xB5\xDA", "plain"}) {
        const std::string path = folder.file(name);
        std::filesystem::create_directory(path);
        EXPECT_EQ(throughTheFile(path), path) << name;
    }
}
