#include <QCoreApplication>

#include <gtest/gtest.h>

// One application object for the whole run: the driver's timers and the
// virtual module's queued reports need an event loop on this thread.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
