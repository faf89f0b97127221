// The basic suite: strings from string lists with bounded copies, alerts recorded in order
// and answered from the script, value formatting, the colour chooser and the app context.
#include "AdmFixture.h"
#include "text/Encoding.h"

namespace admtest {

TEST_F(AdmTest, GetIndexStringIsBoundedAndTerminated) {
    char buf[64];
    EXPECT_EQ(basic->GetIndexString(nullptr, 17000, 1, buf, sizeof buf), kNoErr);
    EXPECT_STREQ(buf, "First message");
    EXPECT_EQ(basic->GetIndexString(nullptr, 17000, 2, buf, sizeof buf), kNoErr);
    EXPECT_STREQ(buf, "Second message: 45\xB0");  // Windows-1252 degree sign

    char eleven[11];  // "Exactly ten" has eleven bytes: the last is cut for the terminator
    std::memset(eleven, 'x', sizeof eleven);
    EXPECT_EQ(basic->GetIndexString(nullptr, 17000, 3, eleven, sizeof eleven), kNoErr);
    EXPECT_STREQ(eleven, "Exactly te");
    char one[1] = {'x'};
    basic->GetIndexString(nullptr, 17000, 1, one, 1);
    EXPECT_EQ(one[0], '\0');

    // Missing index (0 is the filler), index past the end, missing or damaged list.
    for (auto [list, index] : {std::pair{17000, 0}, {17000, 4}, {17000, -1}, {17999, 1}, {17001, 1}, {17002, 1}}) {
        std::strcpy(buf, "stale");
        EXPECT_NE(basic->GetIndexString(nullptr, list, index, buf, sizeof buf), kNoErr) << list << " " << index;
        EXPECT_STREQ(buf, "");
    }
    EXPECT_EQ(basic->GetIndexString(nullptr, 17000, 1, nullptr, 10), kBadParameterErr);
    EXPECT_EQ(basic->GetIndexString(nullptr, 17000, 1, buf, 0), kBadParameterErr);
    EXPECT_EQ(resources.problems().size(), 2u);  // the two damaged lists, each read once
}

TEST_F(AdmTest, AlertsAreRecordedInOrderAndAnsweredFromTheScript) {
    dm.queueAlertAnswer(kADMNoAnswer);
    dm.queueAlertAnswer(kADMRightButton);
    basic->MessageAlert("Plain message");
    basic->SetAlertButtonText("Do not convert", "", "Convert");
    EXPECT_EQ(basic->YesNoAlert("Convert old data?"), kADMNoAnswer);
    basic->SetAlertButtonText("Do not show again", "OK", "Cancel");
    EXPECT_EQ(basic->QuestionAlert("Click an object"), kADMRightButton);
    // Nothing queued: the first button answers.
    EXPECT_EQ(basic->YesNoAlert("Again?"), kADMYesAnswer);
    EXPECT_EQ(basic->QuestionAlert("Once more"), kADMLeftButton);
    basic->Beep();

    const auto& a = dm.alerts();
    ASSERT_EQ(a.size(), 5u);
    EXPECT_EQ(a[0].text, "Plain message");
    EXPECT_EQ(a[0].kind, standin::AlertRecord::Kind::Message);
    EXPECT_EQ(a[1].buttons[0], "Do not convert");
    EXPECT_EQ(a[1].buttons[2], "Convert");
    EXPECT_EQ(a[2].buttons[1], "OK");
    EXPECT_EQ(a[3].buttons[2], "Yes");  // button texts serve one alert only
    EXPECT_EQ(a[4].text, "Once more");
    EXPECT_EQ(dm.beeps(), 1);
    basic->MessageAlert(nullptr);  // harmless
    EXPECT_EQ(dm.alerts().size(), 6u);
}

TEST_F(AdmTest, ValueToStringAndBack) {
    char buf[32];
    basic->ValueToString(45.0f, buf, sizeof buf, kADMDegreeUnits, 0, true);
    EXPECT_STREQ(buf, "45\xB0");
    basic->ValueToString(12.5f, buf, sizeof buf, kADMPointUnits, 2, true);
    EXPECT_STREQ(buf, "12.50 pt");
    basic->ValueToString(12.5f, buf, sizeof buf, kADMPointUnits, 1, false);
    EXPECT_STREQ(buf, "12.5");
    basic->ValueToString(-0.2f, buf, sizeof buf, kADMNoUnits, 0, false);
    EXPECT_STREQ(buf, "0");  // never "-0"
    char small[4];
    basic->ValueToString(12345.0f, small, sizeof small, kADMNoUnits, 0, false);
    EXPECT_STREQ(small, "123");
    basic->ValueToString(std::numeric_limits<float>::quiet_NaN(), buf, sizeof buf, kADMPointUnits, 2, true);
    EXPECT_STREQ(buf, "");

    float v = -1;
    EXPECT_TRUE(basic->StringToValue("2 in", &v, kADMPointUnits));
    EXPECT_FLOAT_EQ(v, 144.0f);
    EXPECT_TRUE(basic->StringToValue(" 7.5 ", &v, kADMMillimeterUnits));
    EXPECT_FLOAT_EQ(v, 7.5f);
    v = -1;
    EXPECT_FALSE(basic->StringToValue("seven", &v, kADMPointUnits));
    EXPECT_FALSE(basic->StringToValue("7 parsecs", &v, kADMPointUnits));
    EXPECT_FLOAT_EQ(v, -1.0f);
}

TEST_F(AdmTest, ColourChooserAnswersFromTheScript) {
    const ADMRGBColor start{1, 2, 3};
    ADMRGBColor out{9, 9, 9};
    dm.queueColorAnswer(ADMRGBColor{100, 200, 300});
    EXPECT_TRUE(basic->ChooseColorA({-1, -1}, &start, &out));
    EXPECT_EQ(out.blue, 300);
    out = {9, 9, 9};
    EXPECT_FALSE(basic->ChooseColorA({-1, -1}, &start, &out));  // nothing queued: cancel
    EXPECT_EQ(out.red, 9);
    ASSERT_EQ(dm.colorChoices().size(), 2u);
    EXPECT_EQ(dm.colorChoices()[0].where.h, -1);
    EXPECT_EQ(dm.colorChoices()[0].start.green, 2);
}

TEST_F(AdmTest, AppContextIsCountedAndBalanced) {
    EXPECT_EQ(basic->PushAppContext(nullptr), kNoErr);
    EXPECT_EQ(basic->PushAppContext(nullptr), kNoErr);
    EXPECT_EQ(dm.appContextDepth(), 2);
    EXPECT_EQ(basic->PopAppContext(), kNoErr);
    EXPECT_EQ(basic->PopAppContext(), kNoErr);
    EXPECT_EQ(basic->PopAppContext(), kBadParameterErr);  // unbalanced: reported, count stays 0
    EXPECT_EQ(dm.appContextDepth(), 0);
    EXPECT_EQ(dm.appContextPushes(), 2);
}

TEST_F(AdmTest, NullAndForeignHandlesAreHarmless) {
    EXPECT_EQ(dialog->GetItem(nullptr, 1), nullptr);
    EXPECT_EQ(item->SetText(nullptr, "x"), kStaleHandleErr);
    EXPECT_EQ(item->GetIntValue(reinterpret_cast<ADMItemRef>(0x1234)), 0);
    char buf[8] = "stale";
    EXPECT_EQ(item->GetText(nullptr, buf, sizeof buf), kStaleHandleErr);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(list->NumberOfEntries(nullptr), 0);
    EXPECT_EQ(entry->GetIndex(nullptr), -1);
    EXPECT_FALSE(notifier->IsNotifierType(nullptr, kADMUserChangedNotifier));
    EXPECT_EQ(tracker->GetAction(nullptr), kADMNoAction);
    ADMRect r{};
    EXPECT_EQ(drawer->FillRect(nullptr, &r), kStaleHandleErr);
    EXPECT_EQ(group->GetDialogGroupInfo(nullptr, nullptr, nullptr), kStaleHandleErr);
}

}  // namespace admtest

namespace admtest {

TEST(AdmEncoding, PlatformBytesRoundTripThroughUtf8) {
    using standin::text::platformToUtf8;
    using standin::text::utf8ToPlatform;
    const std::string platform = "\x80 \xB0\xB1\xD8 \x8E\xDA \x81";  // euro, degree, ±, Ø, shaku, undefined
    const std::string utf8 = platformToUtf8(platform);
    EXPECT_EQ(utf8, "\xE2\x82\xAC \xC2\xB0\xC2\xB1\xC3\x98 \xE5\xB0\xBA \xC2\x81");
    EXPECT_EQ(utf8ToPlatform(utf8), platform);
    // No platform byte, or broken UTF-8: a question mark, never a crash.
    EXPECT_EQ(utf8ToPlatform("\xE2\x88\x9E"), "?");
    EXPECT_EQ(utf8ToPlatform("a\xE2\x88"), "a?");
    EXPECT_EQ(utf8ToPlatform("\xFF"), "?");

    // Bounded copies never keep half of the two-byte shaku sign.
    char buf[4];
    EXPECT_FALSE(standin::text::copyBounded("ab\x8E\xDA", buf, sizeof buf));
    EXPECT_STREQ(buf, "ab");
    char fits[5];
    EXPECT_TRUE(standin::text::copyBounded("ab\x8E\xDA", fits, sizeof fits));
    EXPECT_STREQ(fits, "ab\x8E\xDA");
}

}  // namespace admtest

TEST(AdmResources, ASearchPathTakesEachFileFromTheFirstFolderThatHasIt) {
    // The tests' folder has list 17000 and picture 16401; the plug-in's has list 17700.
    standin::Resources both(std::string(admtest::kResourceDir) + ":" + PLOTWISE_SOURCE_DIR "/resources");
    EXPECT_EQ(both.indexString(17700, 34), std::optional<std::string>("1:1"));
    const auto first = standin::Resources(admtest::kResourceDir).indexString(17000, 1);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(both.indexString(17000, 1), first);
    EXPECT_TRUE(both.hasPicture(16401));
    EXPECT_FALSE(both.indexString(17999, 1).has_value());
    EXPECT_FALSE(standin::Resources(admtest::kResourceDir).indexString(17700, 34).has_value());
}
