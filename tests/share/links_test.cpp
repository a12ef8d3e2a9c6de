#include "share/links.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/fake/recording_shell.h"
#include "platform/time_zone.h"
#include "share/open_link.h"
#include "tests/support/env_guard.h"

namespace {

using share::HomepageVariant;

constexpr std::time_t kJune2026 = 1780272000;  // 2026-06-01 00:00 UTC

TEST(HomepageVariantTest, FromLanguageAndTheLocalZone) {
  const test_support::EnvGuard env{"TZ"};
  struct Case {
    const char* zone;
    int uiLanguage;
    HomepageVariant expected;
  } cases[] = {
      {"America/New_York", 0, HomepageVariant::German},  // German whatever the zone
      {"Asia/Tokyo", 0, HomepageVariant::German},
      {"Europe/Berlin", 1, HomepageVariant::European},
      {"UTC0UTD,M3.5.0,M10.5.0", 2, HomepageVariant::European},
      {"<+04>-4<+05>,M3.5.0,M10.5.0", 1, HomepageVariant::European},       // bias -240
      {"AST4ADT,M3.2.0,M11.1.0", 1, HomepageVariant::European},            // bias 240
      {"<+05>-5<+06>,M3.5.0,M10.5.0", 1, HomepageVariant::International},  // bias -300
      {"America/New_York", 1, HomepageVariant::International},             // bias 300
      {"Australia/Sydney", 1, HomepageVariant::International},             // summer time in January
      {"Europe/Dublin", 1, HomepageVariant::European},  // "negative" summer time in winter
      // Zones that keep one time all year are international, even at UTC.
      {"Asia/Tokyo", 1, HomepageVariant::International},
      {"Etc/GMT-4", 1, HomepageVariant::International},
      {"UTC", 1, HomepageVariant::International},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    setenv("TZ", c.zone, 1);
    EXPECT_EQ(share::ChooseHomepageVariant(c.uiLanguage, platform::LocalTimeZone(kJune2026)),
              c.expected);
  }
}

TEST(HomepageVariantTest, StandardOffsetOfTheZone) {
  const test_support::EnvGuard env{"TZ"};
  struct Case {
    const char* zone;
    int offsetMinutes;
    bool daylightSaving;
  } cases[] = {
      {"Europe/Berlin", 60, true},
      {"America/New_York", -300, true},
      {"Australia/Sydney", 600, true},
      // Irish standard time is the summer's; winter is the flagged half.
      {"Europe/Dublin", 60, true},
      {"Asia/Kolkata", 330, false},
      {"Etc/GMT+10", -600, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    setenv("TZ", c.zone, 1);
    const platform::TimeZoneFacts facts = platform::LocalTimeZone(kJune2026);
    EXPECT_EQ(facts.standardOffsetMinutes, c.offsetMinutes);
    EXPECT_EQ(facts.hasDaylightSaving, c.daylightSaving);
  }
}

TEST(HomepageRootTest, OnlyPlainWebAddressesAreUsed) {
  const std::string fallback(share::kDefaultHomepageUrl);
  struct Case {
    std::string configured;
    std::string root;
  } cases[] = {
      {"https://www.example.org", "https://www.example.org"},
      {"http://10.0.0.2:8723/mg//", "http://10.0.0.2:8723/mg"},
      {"", fallback},
      {"http://", fallback},
      {"http:///etc", fallback},
      {"file:///etc/passwd", fallback},
      {"/usr/bin/xterm", fallback},
      {"--help", fallback},
      {"javascript:alert(1)", fallback},
      {"ftp://example.org", fallback},
      {"http://example.org/a b", fallback},
      {"http://example.org/\n", fallback},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(share::HomepageRoot(c.configured), c.root) << c.configured;
  }
}

TEST(LinkAddressTest, EveryLinkCommand) {
  const platform::TimeZoneFacts berlin{60, true};
  const platform::TimeZoneFacts tokyo{540, false};
  const std::string h = "http://h.example:8/";
  struct Case {
    const char* command;
    share::LinkContext context;
    std::string address;
  } cases[] = {
      {"# FAQ", {1, tokyo, h}, "http://h.example:8/int/?seite=faq-Morvandel.Gauge&faq=0"},
      {"WWW", {1, berlin, h}, "http://h.example:8/eu/?seite=Freeware/Morvandel.Gauge"},
      {"WWW1?", {0, tokyo, h}, "http://h.example:8/de/?seite=Freeware/Morvandel.Gauge"},
      {"Homepage", {1, tokyo, h}, "http://h.example:8/int/?seite=Freeware/Morvandel.Gauge"},
      {"More", {1, berlin, h}, "http://h.example:8/eu"},
      {"# Donate", {0, berlin, h}, "http://h.example:8/de/?seite=PayPal&Program=Morvandel.Gauge"},
      {"History", {1, tokyo, h}, "http://h.example:8/int/?seite=Freeware/Morvandel.Gauge/History"},
      {"# THX", {0, tokyo, h}, "http://h.example:8/de/?seite=Freeware/Morvandel.Gauge/Danke"},
      {"# THX", {2, berlin, h}, "http://h.example:8/eu/?seite=Freeware/Morvandel.Gauge/Thanks"},
      // The result list is always on the European variant.
      {"Results", {0, tokyo, h}, "http://h.example:8/eu/?seite=MorvandelGauge"},
      {"Results", {1, tokyo, h}, "http://h.example:8/eu/?seite=MorvandelGauge"},
      {"More", {1, tokyo, "file:///etc/passwd"}, "http://127.0.0.1:8723/int"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(share::LinkAddress(c.command, c.context), c.address) << c.command;
  }
  for (const char* other : {"Start", "www", "# FAQ ", "", "EMail1"}) {
    EXPECT_EQ(share::LinkAddress(other, {1, berlin, h}), std::nullopt) << other;
  }
}

TEST(OpenLinkTest, OpensTheAddressWithXdgOpen) {
  const test_support::EnvGuard env{"TZ"};
  setenv("TZ", "Europe/Berlin", 1);
  platform::fake::RecordingShell shell;
  EXPECT_TRUE(share::OpenLink("History", 1, u"http://h.example"));
  EXPECT_FALSE(share::OpenLink("Start", 1, u"http://h.example"));
  shell.FailOpening();
  EXPECT_FALSE(share::OpenLink("# THX", 0, u"http://h.example"));
  const std::vector<std::vector<std::string>> expected = {
      {"xdg-open", "http://h.example/eu/?seite=Freeware/Morvandel.Gauge/History"},
      {"xdg-open", "http://h.example/de/?seite=Freeware/Morvandel.Gauge/Danke"}};
  EXPECT_EQ(shell.commands(), expected);
  EXPECT_EQ(share::CurrentHomepageBase(1, u"http://h.example"), "http://h.example/eu");
}

}  // namespace
