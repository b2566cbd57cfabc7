#pragma once

#include "app/tillano_application.h"

#include <QtTest>

// main() of a test whose key presses may raise errors: as in the running
// program, they reach the general error handler, which shows them through
// the Dialogs seam (ScriptedDialogs records them) and goes on.
#define TILLANO_PROGRAM_TEST_MAIN(TestClass)                                                                          \
    int main(int argc, char **argv)                                                                                   \
    {                                                                                                                 \
        TillanoApplication app(argc, argv);                                                                           \
        TestClass test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                       \
    }
