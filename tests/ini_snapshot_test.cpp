// The in-memory snapshot must answer every lookup exactly as the INI
// module's scanner does on the file: checked side by side on hand-made
// malformed files and on many generated ones.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ini_test_files.h"
#include "core/format/ini.h"
#include "core/format/ini_snapshot.h"

namespace {

const int BUFFER_SIZES[] = {1, 2, 7, 64, 511, 512, 513, 2048};

void AddVariants(std::set<std::string>& names, std::string name) {
  if (name.find('\0') != std::string::npos) {
    return;  // no C string can name it
  }
  names.insert(name);
  const size_t first = name.find_first_not_of(" \t\r");
  if (first != std::string::npos) {
    names.insert(name.substr(first, name.find_last_not_of(" \t\r") - first + 1));
  }
  for (char& c : name) {
    c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  }
  names.insert(name);
}

// Sections and keys worth asking for in a file: every header name and key
// the file could hold (with case and blank variants), and names it lacks.
void CandidateNames(const std::string& bytes, std::vector<std::string>* sections,
                    std::vector<std::string>* keys) {
  std::set<std::string> sectionNames = {"", "S", "missing"};
  std::set<std::string> keyNames = {"", "k", "missing"};
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    end = end == std::string::npos ? bytes.size() : end;
    const std::string line = bytes.substr(start, end - start);
    const size_t open = line.find('[');
    const size_t close = open == std::string::npos ? open : line.find(']', open);
    if (close != std::string::npos) {
      AddVariants(sectionNames, line.substr(open + 1, close - open - 1));
    }
    for (char separator : {'=', ':'}) {
      const size_t found = line.find(separator);
      if (found != std::string::npos) {
        AddVariants(keyNames, line.substr(0, found));
      }
    }
    start = end + 1;
  }
  sections->assign(sectionNames.begin(), sectionNames.end());
  keys->assign(keyNames.begin(), keyNames.end());
}

// Asks both readers for every candidate section and key, with buffers of
// several sizes, and expects the same answers byte for byte.
void ExpectSameAnswers(const std::string& path, const std::string& bytes) {
  IniSnapshot* snapshot = IniSnapshotOpen(path.c_str());
  ASSERT_NE(snapshot, nullptr);
  std::vector<std::string> sections;
  std::vector<std::string> keys;
  CandidateNames(bytes, &sections, &keys);
  for (const std::string& section : sections) {
    for (const std::string& key : keys) {
      for (int size : BUFFER_SIZES) {
        std::string scanned(static_cast<size_t>(size) + 1, 'Z');
        std::string indexed(static_cast<size_t>(size) + 1, 'Z');
        const int scannedLength =
            IniReadString(section.c_str(), key.c_str(), "DEF", &scanned[0], size, path.c_str());
        const int indexedLength =
            IniSnapshotReadString(snapshot, section.c_str(), key.c_str(), "DEF", &indexed[0], size);
        ASSERT_EQ(scannedLength, indexedLength) << "[" << section << "] " << key << " size " << size;
        ASSERT_EQ(scanned, indexed) << "[" << section << "] " << key << " size " << size;
      }
      ASSERT_EQ(IniReadLong(section.c_str(), key.c_str(), -77, path.c_str()),
                IniSnapshotReadLong(snapshot, section.c_str(), key.c_str(), -77))
          << "[" << section << "] " << key;
    }
  }
  IniSnapshotClose(snapshot);
}

void ExpectSameAnswers(const std::string& bytes) {
  const std::string path = TestPath("snapshot.ini");
  WriteBytes(path, bytes);
  ExpectSameAnswers(path, bytes);
}

// A random INI-ish file built from the pieces that trouble a scanner.
std::string GenerateFile(std::mt19937& random) {
  const char* const sectionNames[] = {"S", "s", "Scene1", "scene1", " S", "Inputs", ""};
  const char* const keyNames[] = {"k", "K", "range1", "name", "k ", " k", "key:x", ""};
  const char* const values[] = {"v", " spaced value ", "\"quoted\"", "\"", "\"half", "a=b:c",
                                "12abc", "-42", "  7", "\xC3\xA9t\xC3\xA9", "x\ty", ""};
  const char* const endings[] = {"\n", "\r\n", "\n\n", " \t\n"};
  auto pick = [&random](auto& list) {
    return list[std::uniform_int_distribution<size_t>(0, std::size(list) - 1)(random)];
  };
  auto chance = [&random](int percent) {
    return std::uniform_int_distribution<int>(0, 99)(random) < percent;
  };

  std::string text;
  const int lines = std::uniform_int_distribution<int>(0, 40)(random);
  for (int line = 0; line < lines; ++line) {
    const int kind = std::uniform_int_distribution<int>(0, 9)(random);
    if (chance(15)) {
      text += std::string(std::uniform_int_distribution<size_t>(1, 4)(random), ' ');
    }
    switch (kind) {
      case 0:
      case 1:
        text += std::string("[") + pick(sectionNames) + (chance(85) ? "]" : "") + (chance(20) ? " tail" : "");
        break;
      case 2:
        text += std::string(chance(50) ? ";" : "#") + pick(keyNames) + "=" + pick(values);
        break;
      case 3:
        text += "no separator here";
        break;
      case 4: {
        // A long line whose later pieces look like keys or headers.
        std::string longLine = std::string(pick(keyNames)) + "=";
        const size_t target = std::uniform_int_distribution<size_t>(490, 1600)(random);
        while (longLine.size() < target) {
          const int piece = std::uniform_int_distribution<int>(0, 5)(random);
          if (piece == 0) {
            longLine += "k=tail";
          } else if (piece == 1) {
            longLine += "[S]";
          } else if (piece == 2) {
            longLine += std::string(1, '\0');
          } else {
            longLine += std::string(std::uniform_int_distribution<size_t>(1, 120)(random), 'x');
          }
        }
        if (chance(50)) {
          // Put something meaningful exactly at a piece boundary.
          longLine.resize(511 - (text.size() % 7 == 0 ? 0 : 1), 'y');
          longLine += chance(50) ? "k = boundary" : "[S] boundary";
        }
        text += longLine;
        break;
      }
      case 5:
        text += std::string(pick(keyNames)) + std::string(1, '\0') + "=nul in key";
        break;
      default:
        text += std::string(pick(keyNames)) + (chance(70) ? "=" : " : ") + pick(values) +
                (chance(10) ? std::string(1, '\0') + "after nul" : "");
        break;
    }
    if (line + 1 < lines || chance(70)) {
      text += pick(endings);
    }
  }
  return text;
}

}  // namespace

TEST(IniSnapshot, AnswersLikeTheScannerOnMalformedFiles) {
  const std::string longValue(600, 'v');
  const std::vector<std::string> files = {
      // Duplicate sections and keys: the first of each counts.
      "[S]\nk=first\nk=second\n[S]\nk=third\nj=only in second\n",
      // Keys before any header, a missing section, bare "[" lines.
      "k=top\n[\nk=after bracket\n[S\nk=unclosed\n[S]x\nk=tail text\n",
      // Comments, CRLF, blanks and tabs, quotes.
      "; k=comment\n# k=hash\r\n[S]\r\n  k  =  \"quoted value\"  \r\nq=\"\r\nh=\"half\r\n",
      // NUL bytes in keys, values and headers.
      std::string("[S\0T]\nk=a\0b\n[S]\nk\0=x\nk=ok\n", 26),
      // Lines longer than 511 bytes, with keys and headers in their later pieces.
      "[S]\nk=" + longValue + "j=phantom\n" + std::string(509, 'x') + "[T]\nt=in T\n",
      "[S]\n" + std::string(511, 'a') + "k=at the boundary\n",
      "[S]\nk=" + std::string(505, 'w') + "\n",
      "[S]\nk=" + std::string(506, 'w') + "\n",
      // No final newline, and a file of nothing but blanks.
      "[S]\nk=last",
      " \t\n\n\r\n",
      "",
  };
  for (const std::string& bytes : files) {
    SCOPED_TRACE(bytes.substr(0, 60));
    ExpectSameAnswers(bytes);
  }
}

TEST(IniSnapshot, AnswersLikeTheScannerOnGeneratedFiles) {
  std::mt19937 random(20240611);
  for (int file = 0; file < 150; ++file) {
    const std::string bytes = GenerateFile(random);
    SCOPED_TRACE("generated file " + std::to_string(file));
    ExpectSameAnswers(bytes);
    if (HasFatalFailure()) {
      return;
    }
  }
}

TEST(IniSnapshot, AnswersFromTheFileAsItWasWhenOpened) {
  const std::string path = TestPath("changing.ini");
  WriteBytes(path, "[S]\nk=before\n");
  IniSnapshot* snapshot = IniSnapshotOpen(path.c_str());
  ASSERT_NE(snapshot, nullptr);
  WriteBytes(path, "[S]\nk=after\n");
  char buffer[32];
  EXPECT_EQ(6, IniSnapshotReadString(snapshot, "S", "k", "", buffer, sizeof buffer));
  EXPECT_STREQ("before", buffer);
  IniSnapshotClose(snapshot);
}

TEST(IniSnapshot, OnlyRegularFilesOpenAndANullSnapshotGivesDefaults) {
  EXPECT_EQ(nullptr, IniSnapshotOpen(TestPath("missing.ini").c_str()));
  EXPECT_EQ(nullptr, IniSnapshotOpen(TestHome().c_str()));
  EXPECT_EQ(nullptr, IniSnapshotOpen(nullptr));

  char buffer[8] = "ZZZZZZZ";
  EXPECT_EQ(3, IniSnapshotReadString(nullptr, "S", "k", "DEF", buffer, sizeof buffer));
  EXPECT_STREQ("DEF", buffer);
  EXPECT_EQ(5, IniSnapshotReadLong(nullptr, "S", "k", 5));
  // Bad arguments leave the buffer alone, as the scanner does.
  EXPECT_EQ(0, IniSnapshotReadString(nullptr, "S", nullptr, "DEF", buffer, sizeof buffer));
  EXPECT_EQ(0, IniSnapshotReadString(nullptr, "S", "k", "DEF", buffer, 0));
  EXPECT_STREQ("DEF", buffer);
}

TEST(IniSnapshot, KeepsTheModificationTimeOfTheFileItRead) {
  const std::string path = TestPath("dated.ini");
  WriteBytes(path, "k=v\n");
  struct stat status;
  ASSERT_EQ(0, stat(path.c_str(), &status));
  IniSnapshot* snapshot = IniSnapshotOpen(path.c_str());
  ASSERT_NE(snapshot, nullptr);
  EXPECT_EQ(status.st_mtime, IniSnapshotModificationTime(snapshot));
  IniSnapshotClose(snapshot);
}
