#include "scene/obj_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/obj_file.h"
#include "tests/support/comma_locale.h"
#include "tests/support/test_files.h"

namespace {

using scene::ObjMesh;
using scene::ObjResult;

// Six positions, so that face indices 1 .. 6 are valid.
const std::string kSixPositions = "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nv 1 1 0\nv 1 1 1\n";

ObjMesh ParseText(const std::string& text, ObjResult* result = nullptr) {
  ObjMesh mesh;
  const ObjResult r = scene::ParseObjText(text, mesh);
  if (result != nullptr) *result = r;
  return mesh;
}

struct AttributeCase {
  const char* line;
  std::vector<float> positions;
  std::vector<float> texCoords;
  std::vector<float> normals;
};

TEST(ObjReaderTest, AttributeLinesFollowTheGrammar) {
  const AttributeCase cases[] = {
      {"v 1 2 3\n", {1, 2, 3}, {}, {}},
      {" \tv\t1  \t2   3 \t\n", {1, 2, 3}, {}, {}},
      {"v 1 2 3\r\n", {1, 2, 3}, {}, {}},
      {"v 1e2 -2.5E-1 +3.\n", {100, -0.25f, 3}, {}, {}},
      {"v 1 2 3 1\n", {1, 2, 3}, {}, {}},  // w ignored
      {"v 1 2\n", {}, {}, {}},             // too few values
      {"v 1 --2 3\n", {}, {}, {}},
      {"vx 1 2 3\n", {}, {}, {}},
      {"vt 0.5 0.25 0\n", {}, {0.5f, 0.25f}, {}},
      {"vt\t0.5\t0.25\n", {}, {0.5f, 0.25f}, {}},
      {"vt 0.5\n", {}, {}, {}},
      {"vtx 0.5 0.25\n", {}, {}, {}},
      {"vn 0 -1 0\n", {}, {}, {0, -1, 0}},
      {"vn 0 1\n", {}, {}, {}},
      {"# v 1 2 3\no palm\ng trunk\ns 1\nusemtl bark\n\n", {}, {}, {}},
  };
  for (const AttributeCase& c : cases) {
    ObjResult result;
    const ObjMesh mesh = ParseText(c.line, &result);
    EXPECT_TRUE(result.ok) << c.line;
    EXPECT_EQ(mesh.positions, c.positions) << c.line;
    EXPECT_EQ(mesh.texCoords, c.texCoords) << c.line;
    EXPECT_EQ(mesh.normals, c.normals) << c.line;
    EXPECT_TRUE(mesh.indices.empty()) << c.line;
  }
}

TEST(ObjReaderTest, FaceFormsKeepThePositionIndexOfTheFirstThreeCorners) {
  const struct {
    const char* line;
    std::vector<uint32_t> indices;
  } cases[] = {
      {"f 1 2 3\n", {0, 1, 2}},
      {"f 1// 2// 3//\n", {0, 1, 2}},
      {"f 4//4 5//5 6//6\n", {3, 4, 5}},
      {"f 1/1/1 2/2/2 3/3/3\n", {0, 1, 2}},
      {"f  6/1/2\t5/3/4  4/5/6 \n", {5, 4, 3}},
      {"f 1 2 3 4\n", {0, 1, 2}},  // a quad gives one triangle
  };
  for (const auto& c : cases) {
    ObjResult result;
    const ObjMesh mesh = ParseText(kSixPositions + c.line, &result);
    EXPECT_TRUE(result.ok) << c.line;
    EXPECT_EQ(mesh.indices, c.indices) << c.line;
  }
}

TEST(ObjReaderTest, UnrecognizedFaceEndsTheParseAndLeavesTheMeshAlone) {
  ObjMesh mesh;
  mesh.positions = {9, 9, 9};
  const ObjResult result = scene::ParseObjText(kSixPositions + "f 1/1  2/2 3/3\nf 1 2 3\n", mesh);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.output, "unrecognized sequence\nf 1/1 2/2 3/3\n");
  EXPECT_EQ(result.messageBox, "");
  EXPECT_EQ(mesh.positions, (std::vector<float>{9, 9, 9}));
  EXPECT_TRUE(mesh.indices.empty());
}

// Index 0, a relative (negative) index or one past the positions would make
// every later user read outside the position array: the model is refused.
TEST(ObjReaderTest, IndicesOutsideThePositionsRefuseTheModel) {
  const char* faces[] = {
      "f 0 1 2\n",
      "f 1 -1 2\n",
      "f 1 2 7\n",
      "f 1//1 2//2 7//3\n",
      "f 1/1/1 2/2/2 99/3/3\n",
      "f 1 2 2147483647\n",
  };
  for (const char* face : faces) {
    ObjResult result;
    const ObjMesh mesh = ParseText(kSixPositions + face, &result);
    EXPECT_FALSE(result.ok) << face;
    EXPECT_EQ(result.messageBox, "Ungeeignetes Model: Path: MEM") << face;
    EXPECT_TRUE(mesh.positions.empty() && mesh.indices.empty()) << face;
  }
  // A face may name a position that comes later in the text.
  const ObjMesh later = ParseText("f 1 2 3\nv 0 0 0\nv 1 0 0\nv 0 1 0\n");
  EXPECT_EQ(later.indices, (std::vector<uint32_t>{0, 1, 2}));
}

TEST(ObjReaderTest, TextLosesItsLastLineWithoutLineBreakButAFileDoesNot) {
  const std::string text = "v 1 2 3\nv 4 5 6\nv 7 8 9\nf 1 2 3";
  const ObjMesh fromText = ParseText(text);
  EXPECT_EQ(fromText.positions.size(), 9u);
  EXPECT_TRUE(fromText.indices.empty());

  ObjMesh fromFile;
  EXPECT_TRUE(scene::ParseObjFileBytes("a.obj", {platform::ReadStatus::Ok, text}, fromFile).ok);
  EXPECT_EQ(fromFile.indices, (std::vector<uint32_t>{0, 1, 2}));
}

// Lines longer than the line buffer continue as the next line: the text
// cuts after 1001 characters, the file after 999.
TEST(ObjReaderTest, OverlongLinesContinueAsTheNextLine) {
  const std::string text = "#" + std::string(1000, 'x') + "v 7 8 9\n";
  EXPECT_EQ(ParseText(text).positions, (std::vector<float>{7, 8, 9}));

  const std::string file = "#" + std::string(998, 'x') + "v 7 8 9\n";
  ObjMesh mesh;
  EXPECT_TRUE(scene::ParseObjFileBytes("a.obj", {platform::ReadStatus::Ok, file}, mesh).ok);
  EXPECT_EQ(mesh.positions, (std::vector<float>{7, 8, 9}));
}

TEST(ObjReaderTest, NumbersIgnoreTheProcessLocale) {
  const test_support::CommaLocale locale;
  MG_REQUIRE_INSTALLED(locale.active(), "a locale with a decimal comma (package locales)");
  const ObjMesh mesh = ParseText("v 1.5 -0.25 2e1\nvt 0.75 0.5\nv 1,5 2 3\n");
  EXPECT_EQ(mesh.positions, (std::vector<float>{1.5f, -0.25f, 20}));
  EXPECT_EQ(mesh.texCoords, (std::vector<float>{0.75f, 0.5f}));
}

TEST(ObjReaderTest, FilesAreReadFromDiskWithTheirMessages) {
  const test_support::ScratchFolder folder;
  const std::string path = (folder.path() / "rock.obj").string();

  ObjMesh mesh;
  ObjResult result = scene::ParseObjFile(path, mesh);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.output, "File " + path + " not found!\n");
  EXPECT_EQ(result.messageBox, "");

  result = scene::ParseObjFile("", mesh);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.output, "");

  result = scene::ParseObjFileBytes(path, {platform::ReadStatus::TooLarge, ""}, mesh);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.output, "File " + path + " is too large!\n");

  test_support::WriteBytes(path, kSixPositions + "f 1 2 3\r\nf 4 5 9\n");
  result = scene::ParseObjFile(path, mesh);
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.messageBox, "Ungeeignetes Model: Path: " + path);

  test_support::WriteBytes(path, kSixPositions + "f 1 2 3\r\nf 4 5 6");
  EXPECT_TRUE(scene::ParseObjFile(path, mesh).ok);
  EXPECT_EQ(mesh.positions.size(), 18u);
  EXPECT_EQ(mesh.indices, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
}

}  // namespace
