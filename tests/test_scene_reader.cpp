// Reading scene files that may come from anyone: what is refused and why,
// without the read or the release of a refused graph overflowing the stack.

#include "PoSceneReader.h"

#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

std::string nested(int levels, const char *leaf) {
  std::string text = "#Inventor V2.1 ascii\n";
  for (int i = 0; i < levels; ++i) text += "Separator {\n";
  text += leaf;
  text += std::string(static_cast<std::size_t>(levels), '}');
  return text;
}

std::string manyVisits() {
  // Each level uses the one below twice: 2^20 visits from 40 lines.
  std::string text = "#Inventor V2.1 ascii\nSeparator {\nDEF l0 Cube {}\n";
  for (int i = 1; i <= 20; ++i)
    text += "DEF l" + std::to_string(i) + " Group { USE l" + std::to_string(i - 1) + " USE l" +
            std::to_string(i - 1) + " }\n";
  return text + "}\n";
}

struct Row {
  const char *name;
  std::string text;
  int maxDepth;
  PoSceneReader::Fault fault;
  const char *inMessage; // a part of the message, or null
};

} // namespace

TEST(SceneReader, RefusesWhatATraversalWouldNotGetThrough) {
  const Row rows[] = {
      {"a sound file", "#Inventor V2.1 ascii\nSeparator { Cube {} }\n", 100, PoSceneReader::NONE,
       nullptr},
      {"parse error", "#Inventor V2.1 ascii\nSeparator {\n Cube { size 2 }\n}\n", 100,
       PoSceneReader::PARSE_ERROR, "line 3"},
      {"junk after a sound header", "#Inventor V2.1 ascii\n}}}} PoSceneView { }\n", 100,
       PoSceneReader::PARSE_ERROR, "line"},
      {"holds itself", "#Inventor V2.1 ascii\nDEF a Separator { Separator { USE a } }\n", 100,
       PoSceneReader::HOLDS_ITSELF, nullptr},
      {"deeper than asked", nested(60, "Cube {}"), 50, PoSceneReader::TOO_DEEP, "60"},
      {"as deep as asked", nested(50, "Cube {}"), 50, PoSceneReader::NONE, nullptr},
      {"far deeper than the stack", nested(200000, "Cube {}"), 100, PoSceneReader::TOO_DEEP,
       nullptr},
      {"visits without end", manyVisits(), 100, PoSceneReader::TOO_MANY_VISITS, nullptr},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.name);
    PoSceneReader reader;
    reader.setMaxDepth(row.maxDepth);
    reader.setMaxVisits(1e5);
    SoSeparator *root = reader.readBuffer(row.text.data(), row.text.size());
    EXPECT_EQ(reader.getFault(), row.fault) << reader.getMessage().getString();
    EXPECT_EQ(root != nullptr, row.fault == PoSceneReader::NONE);
    if (row.inMessage) {
      EXPECT_NE(std::string(reader.getMessage().getString()).find(row.inMessage),
                std::string::npos)
          << reader.getMessage().getString();
    }
    if (root) {
      EXPECT_EQ(root->getRefCount(), 1);
      root->unref();
    }
  }
}

TEST(SceneReader, FilesAndTheStackTheyNeed) {
  PoSceneReader reader;
  // The default depth fits the stack of the thread that made the reader.
  EXPECT_LE(PoSceneReader::stackBytesFor(reader.getMaxDepth()), std::size_t(8) << 20);
  SoSeparator *root = reader.readFile(BRENNICQT_EXAMPLES_DIR "/four_quadrants.iv");
  ASSERT_NE(root, nullptr) << reader.getMessage().getString();
  root->unref();
  EXPECT_EQ(reader.readFile("/nonexistent/scene.iv"), nullptr);
  EXPECT_EQ(reader.getFault(), PoSceneReader::CANNOT_READ);
  EXPECT_EQ(reader.readFile("/"), nullptr);
  EXPECT_EQ(reader.getFault(), PoSceneReader::CANNOT_READ);
  // A file, unlike a buffer, must say what it is.
  char path[] = "/tmp/brennicqt-reader-XXXXXX";
  const int descriptor = mkstemp(path);
  ASSERT_GE(descriptor, 0);
  const char text[] = "Separator { Cube {} }\n";
  ASSERT_EQ(write(descriptor, text, sizeof text - 1), ssize_t(sizeof text - 1));
  close(descriptor);
  EXPECT_EQ(reader.readFile(path), nullptr);
  EXPECT_EQ(reader.getFault(), PoSceneReader::CANNOT_READ);
  unlink(path);

  // Work run on a larger stack sees its result and its exceptions come back.
  int depthSeen = 0;
  EXPECT_TRUE(PoSceneReader::runOnStack(PoSceneReader::stackBytesFor(100000),
                                        [&] { depthSeen = 1; }));
  EXPECT_EQ(depthSeen, 1);
  EXPECT_THROW(PoSceneReader::runOnStack(1 << 20, [] { throw 7; }), int);
}
