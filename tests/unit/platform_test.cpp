// Command line, scripts, host paths and times.
#include <gtest/gtest.h>

#include "platform/options.h"
#include "platform/script.h"
#include "platform/system_queries.h"
#include "support/test_support.h"

namespace kelvo {
namespace {

TEST(Host, DirectoryCutsAtTheLastSeparator) {
  EXPECT_EQ(directory_of("/usr/games/kelvo"), "/usr/games");
  EXPECT_EQ(directory_of("C:\\games\\kelvo.exe"), "C:\\games");
  EXPECT_EQ(directory_of("C:kelvo.exe"), "C:");
  EXPECT_EQ(directory_of("kelvo"), "");
  EXPECT_TRUE(executable_directory().has_value());
}

TEST(Host, TimeOfDayArgument) {
  for (auto [text, ms] : {std::pair{"12:00:00", 43200000u}, std::pair{"23:59:59.999", 86399999u},
                          std::pair{"00:00:01.5", 1500u}}) {
    EXPECT_EQ(parse_time_of_day(text), ms) << text;
  }
  for (const char* bad : {"00:00:01.5000", "24:00:00", "12:00", "12:00:00x"}) {
    EXPECT_FALSE(parse_time_of_day(bad)) << bad;
  }
}

TEST(Options, ParsesEveryOptionAndRefusesUnknownOnes) {
  const char* argv[] = {"kelvo",      "--headless", "--script", "s.txt",   "--time",   "01:02:03",
                        "--dir",      "d",          "--trace",  "t.txt",   "--frames", "99",
                        "--on-error", "no",         "--mute",   "--window"};
  std::string error;
  auto o = parse_options(16, argv, error);
  ASSERT_TRUE(o) << error;
  EXPECT_TRUE(o->headless && o->mute && o->window);
  EXPECT_EQ(o->scriptPath, "s.txt");
  EXPECT_EQ(o->timeOfDayMs, 3723000u);
  EXPECT_EQ(o->directory, "d");
  EXPECT_EQ(o->tracePath, "t.txt");
  EXPECT_EQ(o->closeAfterFrame, 99u);
  EXPECT_FALSE(o->answerErrorsYes);
  const char* bad[] = {"kelvo", "--fast"};
  EXPECT_FALSE(parse_options(2, bad, error));
  EXPECT_NE(error.find("--fast"), std::string::npos);
  const char* missing[] = {"kelvo", "--script"};
  EXPECT_FALSE(parse_options(2, missing, error));
}

TEST(Script, ParsesCommandsKeysAndComments) {
  std::string error;
  auto c = parse_script(
      "# a comment\n"
      "0 press Space\n"
      "\n"
      "5 release Space   # trailing comment\n"
      "5 press Q\n"
      "7 press q\n"
      "8 press 19712\n"
      "9 shot frame 9.png\n"
      "9 dump d.json\n"
      "10 answer no\n"
      "12 close\n",
      error);
  ASSERT_TRUE(c) << error;
  ASSERT_EQ(c->size(), 9u);
  EXPECT_EQ((*c)[0].key, 32);
  EXPECT_EQ((*c)[1].action, ScriptAction::Release);
  EXPECT_EQ((*c)[1].line, 4);
  EXPECT_EQ((*c)[2].key, 81);
  EXPECT_EQ((*c)[3].key, 113);
  EXPECT_EQ((*c)[4].key, 19712);
  EXPECT_EQ((*c)[5].path, "frame 9.png");
  EXPECT_FALSE((*c)[7].answerYes);
  EXPECT_EQ((*c)[8].action, ScriptAction::Close);
}

TEST(Script, RefusesUnknownCommandsKeysFieldsAndFramesGoingBack) {
  const FieldCheck onlyHeroX = [](const std::string& f) { return f == "heroX"; };
  // Each script is refused with a message naming its line and the fault.
  for (auto [script, message] :
       {std::pair{"0 jump\n", "1: unknown command 'jump'"},
        std::pair{"0 press Spacebar\n", "1: unknown key 'Spacebar'"},
        std::pair{"5 close\n3 close\n", "2: frame 3 comes after frame 5"},
        std::pair{"5 set heroY 1\n", "1: unknown field 'heroY'"}, std::pair{"x press Space\n", ""},
        std::pair{"1 answer maybe\n", ""}, std::pair{"5 set heroX one\n", ""}}) {
    std::string error;
    EXPECT_FALSE(parse_script(script, error, onlyHeroX)) << script;
    EXPECT_TRUE(error.find(message) != std::string::npos) << error;
  }
}

TEST(Script, SetNamesAKnownFieldAndANumber) {
  std::string error;
  auto c =
      parse_script("5 set heroX -12.5\n", error, [](const std::string& f) { return f == "heroX"; });
  ASSERT_TRUE(c) << error;
  EXPECT_EQ((*c)[0].action, ScriptAction::Set);
  EXPECT_EQ((*c)[0].path, "heroX");
  EXPECT_EQ((*c)[0].value, -12.5);
}

TEST(CommandLine, FaultyScriptsAndOptionsAreRefusedBeforeTheGameStarts) {
  test::TempDir dir;
  test::write_file(dir.file("bad.script"), "0 press Space\n\n7 jump\n");
  auto r = test::run_kelvo({"--headless", "--script", dir.file("bad.script")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.errorOutput.find("bad.script:3: unknown command 'jump'"), std::string::npos)
      << r.errorOutput;
  test::write_file(dir.file("back.script"), "9 close\n8 close\n");
  r = test::run_kelvo({"--headless", "--script", dir.file("back.script")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.errorOutput.find(":2: frame 8 comes after frame 9"), std::string::npos);
  r = test::run_kelvo({"--fast"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.errorOutput.find("unknown option '--fast'"), std::string::npos);
  EXPECT_EQ(test::run_kelvo({"--help"}).status, 0);
  EXPECT_EQ(test::run_kelvo({"--level", "11"}).status, 2);
}

}  // namespace
}  // namespace kelvo
