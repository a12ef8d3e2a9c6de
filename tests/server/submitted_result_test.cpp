#include "server/submitted_result.h"

#include <gtest/gtest.h>

#include "bench/result_codec.h"
#include "server/form_fields.h"
#include "server/http_server.h"
#include "server/server_options.h"
#include "tests/server/posted_result.h"

namespace compare {
namespace {

TEST(SubmittedResultTest, FlattenedRecordGivesBackItsPairs) {
  struct Case {
    const char* flattened;
    const char* key;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"MSA=4&Mode=1&FPS=61.500000", "FPS", "61.500000"},
      // Empty lines of the record flatten into empty pairs.
      {"MGTS=1.0&&OSVer=6.1.0&&&Bit=64", "Bit", "64"},
      // A later "=" was a ":" in the record; a "-" stays (it may have been "=").
      {"OS-Name=Microsoft Windows 10|C=\\WINDOWS|x-y", "OS-Name",
       "Microsoft Windows 10|C:\\WINDOWS|x-y"},
      {"ENDE=ENDE&Version=2.33&", "Version", "2.33"},
      {"Memory", "Memory", ""},
      {"A=1&A=2", "A", "1"},
      {"FPS=1", "Mode", std::nullopt},
  };
  for (const Case& c : cases) {
    const RecordFields fields = ParseFlattenedRecord(c.flattened);
    const std::optional<std::string_view> found = FindField(fields, c.key);
    ASSERT_EQ(found.has_value(), c.value.has_value()) << c.flattened;
    if (found) {
      EXPECT_EQ(*found, *c.value) << c.flattened;
    }
  }
}

TEST(SubmittedResultTest, RecordBuiltByTheProgramReadsBack) {
  const std::string flattened = bench::FlattenRecord(compare_test::Record(61.5, 1));
  const ReadResult read = ReadSubmittedResult(flattened, std::nullopt);
  ASSERT_TRUE(read.result) << read.refusal;
  const SubmittedResult& r = *read.result;
  EXPECT_EQ(r.level, 1);
  EXPECT_DOUBLE_EQ(r.fps, 61.5);
  EXPECT_DOUBLE_EQ(r.megaTris, 12.5);
  EXPECT_EQ(r.width, 1024);
  EXPECT_EQ(r.height, 768);
  EXPECT_EQ(r.msaa, 4);
  EXPECT_EQ(r.renderer, "llvmpipe (LLVM 15.0.6, 256 bits)");
  EXPECT_EQ(r.glVersion, "4.5 (Compatibility Profile) Mesa 22.3.6");
  EXPECT_EQ(r.glVendor, "Mesa");
  EXPECT_EQ(r.cpu, "Example CPU @ 3.00GHz");
  EXPECT_EQ(r.os, "Debian GNU/Linux 12");
  EXPECT_EQ(r.version, "2.33");
  EXPECT_EQ(r.record, flattened);
}

TEST(SubmittedResultTest, FpsMegaTrisAndLevelRules) {
  struct Case {
    std::string_view flattened;
    std::optional<int> addressLevel;
    const char* refusal;  // nullptr: accepted
    int level;
  };
  constexpr const char* kFps = "FPS value is not a number from 0 to 100,000";
  constexpr const char* kMegaTris = "Mega-Tris value (MGTS) is not a number from 0 to 100,000";
  const Case cases[] = {
      {"FPS=30.000000&Mode=2", std::nullopt, nullptr, 2},
      {"FPS=30&Mode=1", 2, nullptr, 2},  // the address decides over the record
      {"FPS=30&Mode=7", std::nullopt, nullptr, kUnknownLevel},
      {"FPS=30&Mode=x", std::nullopt, nullptr, kUnknownLevel},
      {"FPS=30", std::nullopt, nullptr, kUnknownLevel},
      {"FPS= 0 ", 0, nullptr, 0},
      {"FPS=100000&MGTS=100000", 0, nullptr, 0},
      {"Mode=1", std::nullopt, "no FPS value", 0},
      {"FPS=&Mode=1", std::nullopt, kFps, 0},
      {"FPS=fast", 1, kFps, 0},
      {"FPS=61,5", 1, kFps, 0},  // a comma locale's notation is not a number here
      {"FPS=-1", 1, kFps, 0},
      {"FPS=nan", 1, kFps, 0},
      {"FPS=inf", 1, kFps, 0},
      {"FPS=1e999", 1, kFps, 0},
      {"FPS=1e308", 1, kFps, 0},
      {"FPS=100000.01", 1, kFps, 0},
      {"FPS=60&MGTS=-0.5", 1, kMegaTris, 0},
      {"FPS=60&MGTS=100001", 1, kMegaTris, 0},
      {"FPS=60&MGTS=many", 1, kMegaTris, 0},
  };
  for (const Case& c : cases) {
    const ReadResult read = ReadSubmittedResult(c.flattened, c.addressLevel);
    ASSERT_EQ(read.result.has_value(), c.refusal == nullptr) << c.flattened;
    if (read.result) {
      EXPECT_EQ(read.result->level, c.level) << c.flattened;
    } else {
      EXPECT_NE(read.refusal.find(c.refusal), std::string::npos) << c.flattened;
    }
  }
}

// Control characters never reach a stored text: a tab becomes a blank.
TEST(SubmittedResultTest, ControlCharactersAreLeftOutOfTexts) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {std::string_view("A\0B", 3), "AB"},
      {"\x01\x1f\x7fx", "x"},
      {"a\tb\r\nc", "a bc"},
      {"C1 \xc2\x85\xc2\x9f end", "C1  end"},
      {"caf\xc3\xa9 \xc2\xa0 \xe2\x80\x93", "caf\xc3\xa9 \xc2\xa0 \xe2\x80\x93"},
  };
  for (const auto& [text, clean] : cases) {
    EXPECT_EQ(WithoutControls(text), clean);
    const std::string record = "FPS=1&GL_RENDERER=" + std::string(text);
    const ReadResult read = ReadSubmittedResult(record, 0);
    ASSERT_TRUE(read.result);
    EXPECT_EQ(read.result->renderer, clean);
    EXPECT_EQ(read.result->record, record);  // the record itself is kept as it came
  }
}

TEST(SubmittedResultTest, TextThatIsNotUtf8IsReadAsWindows1252) {
  const ReadResult read = ReadSubmittedResult("FPS=1&GL_RENDERER=Caf\xE9", 0);
  ASSERT_TRUE(read.result);
  EXPECT_EQ(read.result->renderer, "Caf\xC3\xA9");
  EXPECT_EQ(read.result->record, "FPS=1&GL_RENDERER=Caf\xE9");
}

TEST(SubmittedResultTest, FormFieldsDecodeAsBrowsersEncode) {
  const FormFields fields = ParseFormFields("a=x%2By+z&&b&c=%3d%&d=%zz%4");
  ASSERT_EQ(fields.size(), 4u);
  EXPECT_EQ(FindFormField(fields, "a"), "x+y z");
  EXPECT_EQ(FindFormField(fields, "b"), "");
  EXPECT_EQ(FindFormField(fields, "c"), "=%");
  EXPECT_EQ(FindFormField(fields, "d"), "%zz%4");
  EXPECT_FALSE(FindFormField(fields, "e"));
}

TEST(SubmittedResultTest, CommandLine) {
  struct Case {
    std::vector<const char*> args;
    int exitCode;
    int port;
    const char* bind;
  };
  const Case cases[] = {
      {{"--db", "r.sqlite"}, 0, kDefaultPort, "127.0.0.1"},
      {{"--db", "r.sqlite", "--port", "0", "--bind", "0.0.0.0"}, 0, 0, "0.0.0.0"},
      {{"--help"}, 0, 0, ""},
      {{}, 2, 0, ""},
      {{"--db", ""}, 2, 0, ""},
      {{"--db", "r.sqlite", "--port", "65536"}, 2, 0, ""},
      {{"--db", "r.sqlite", "--port", "http"}, 2, 0, ""},
      {{"--db", "r.sqlite", "--colour"}, 2, 0, ""},
      {{"--db", "r.sqlite", "--workers", "0"}, 2, 0, ""},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv{"morvandel-compare-server"};
    argv.insert(argv.end(), c.args.begin(), c.args.end());
    const ServerCommandLine command =
        ParseServerCommandLine(static_cast<int>(argv.size()), argv.data());
    EXPECT_EQ(command.exitCode, c.exitCode) << command.text;
    if (command.options) {
      EXPECT_EQ(command.options->database, "r.sqlite");
      EXPECT_EQ(command.options->port, c.port);
      EXPECT_EQ(command.options->bindAddress, c.bind);
    } else {
      EXPECT_FALSE(command.text.empty());
    }
  }
}

TEST(SubmittedResultTest, ListeningAddressesAsBrowsersTakeThem) {
  EXPECT_EQ(ServerAddress("127.0.0.1", 8723), "http://127.0.0.1:8723/");
  EXPECT_EQ(ServerAddress("::1", 8723), "http://[::1]:8723/");
  EXPECT_EQ(ServerAddress("localhost", 80), "http://localhost:80/");
}

TEST(SubmittedResultTest, PasswordsAreNotPrinted) {
  EXPECT_EQ(PrintableLocation("postgresql://mg:secret@db:5432/results"),
            "postgresql://mg@db:5432/results");
  EXPECT_EQ(PrintableLocation("postgresql://mg@db:5432/results"),
            "postgresql://mg@db:5432/results");
  EXPECT_EQ(PrintableLocation("/var/lib/a:b@c.sqlite"), "/var/lib/a:b@c.sqlite");
}

}  // namespace
}  // namespace compare
