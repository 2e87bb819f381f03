// Failures and messages of what a benchmark runs, one line each on standard error.
#pragma once

#include <cstdio>

#include "modules/app/Failure.h"
#include "modules/app/MessageBox.h"

class PrintedFailures : public app::FailureReport
{
public:
    void report(const app::Failure& failure) override
    {
        std::fprintf(stderr, "%s\n", failure.description.toUtf8().constData());
    }
};

class PrintedMessages : public app::MessageBox
{
public:
    void show(const QString& text, int, const QString&) override
    {
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
    // A benchmark answers every question No, as the box's default.
    bool ask(const QString& text, const QString& title) override
    {
        show(text, 0, title);
        return false;
    }
};
