// Failures of handlers without an error report: passed to the statement, or shown once.
#include <stdexcept>

#include <gtest/gtest.h>

#include "modules/app/UnguardedEvents.h"
#include "tests/support/RecordingMessageBox.h"

namespace {

TEST(UnguardedEvents, HandlerFailureDuringProgramChangeIsTheStatementsFailure)
{
    testsupport::RecordingMessageBox box;
    app::UnguardedEvents events{box};
    bool afterHandler = false;
    EXPECT_THROW(events.programChange([&] {
        events.run([] { throw std::runtime_error("settings file is read-only"); });
        afterHandler = true;
    }),
                 std::runtime_error);
    EXPECT_TRUE(afterHandler);  // the change itself completes
    EXPECT_TRUE(box.shown.empty());
    EXPECT_NO_THROW(events.programChange([] {}));  // nothing left pending
}

TEST(UnguardedEvents, UserEventFailureShownOnceUntilAHandlerSucceeds)
{
    testsupport::RecordingMessageBox box;
    app::UnguardedEvents events{box};
    const auto failing = [] { throw std::runtime_error("cannot save"); };
    events.run(failing);
    events.run(failing);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, QStringLiteral("cannot save"));
    EXPECT_EQ(box.shown[0].style, 48);

    events.run([] {});
    events.run(failing);
    EXPECT_EQ(box.shown.size(), 2u);
}

}  // namespace
