#include "frontend/IMessageBox.h"
#include "frontend/ImmediateCallRunner.h"

#include "model/CoreTexts.h"

#include "ScriptedMessageBox.h"

#include <gtest/gtest.h>

#include <stdexcept>

using Answer = IMessageBox::Answer;
using Buttons = IMessageBox::Buttons;
using Icon = IMessageBox::Icon;

TEST(MessageBoxSeam, TextsComeFromTheirTableFormattedAndTheScriptAnswers) {
    ScriptedMessageBox boxes;
    const StringTable host{{300, "Error sending request\n\nError E%d"}};
    boxes.AnswerNext(Answer::No);
    EXPECT_EQ(boxes.Show(host, 300, {150}, Icon::Stop, Buttons::YesNo), Answer::No);
    EXPECT_EQ(boxes.Last().text, "Error sending request\n\nError E150");
    EXPECT_EQ(boxes.Last().defaultButton, Answer::Yes) << "the first button by default";

    // Without a scripted answer the box takes its default button, as Enter would.
    EXPECT_EQ(boxes.Show(CoreString::FlashTooLong, {}, Icon::Question, Buttons::YesNo, Answer::No),
              Answer::No);
    EXPECT_EQ(boxes.Last().text, CoreTexts::Utf8(CoreString::FlashTooLong));
    EXPECT_NE(boxes.Last().text.find("dĺžka"), std::string::npos)
        << "every letter, whatever the code page";
    EXPECT_EQ(boxes.Last().icon, Icon::Question);

    // A missing id still says something.
    boxes.Show(host, 999, {}, Icon::Stop);
    EXPECT_EQ(boxes.Last().text, "999");
    EXPECT_EQ(boxes.ShownIds(), (std::vector<int>{300, 8, 999}));
}

TEST(CallRunnerSeam, ImmediateRunnerRunsBothStepsAndPassesExceptionsToDone) {
    ImmediateCallRunner runner;
    int value = 0;
    EXPECT_TRUE(RunCall<int>(
        runner, [] { return 5; }, [&](const CallResult<int>& result) { value = result.Get(); }));
    EXPECT_EQ(value, 5);

    bool threw = false;
    RunCall<int>(
        runner, []() -> int { throw std::runtime_error("down"); },
        [&](const CallResult<int>& result) {
            EXPECT_THROW(result.Get(), std::runtime_error);
            threw = true;
        });
    EXPECT_TRUE(threw);

    // A call started from inside a running one is refused; after it, the runner takes calls.
    bool nestedRefused = false;
    runner.Run([&] { nestedRefused = !runner.Run([] {}, [] {}); }, [] {});
    EXPECT_TRUE(nestedRefused);
    EXPECT_FALSE(runner.IsBusy());
}
