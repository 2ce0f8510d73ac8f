#pragma once

#include <QTest>

// The test classes of one area (model, phone, output, gui) are built into one executable: each
// file registers its class under the file's name, and the executable runs the class its first
// argument names ("gui_tests test_keyboard -v2"). Each class stays a CTest test of its own,
// while the area is compiled, moc'ed and linked once.
//
// In a test file, use these in place of QTEST_MAIN, QTEST_GUILESS_MAIN and QTEST_APPLESS_MAIN;
// they create the same application object as those do.
namespace testregistry {

using Runner = int (*)(int argc, char** argv);

// Registers the runner of the test file `file` (its __FILE__); the class is then named by the
// file's base name without extension. Returns true, for a static initialiser.
bool add(const char* file, Runner run);

} // namespace testregistry

#define KABIRO_TEST_WRAPPER(TestObject, ...)                                                       \
    namespace {                                                                                    \
    int runRegisteredTest(int argc, char** argv) {                                                 \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                         \
        __VA_ARGS__                                                                                \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }                                                                                              \
    [[maybe_unused]] const bool registeredTest = testregistry::add(__FILE__, runRegisteredTest);   \
    }

// A QApplication when the area links Qt Widgets, else a QGuiApplication or QCoreApplication.
#define KABIRO_TEST_MAIN(TestObject) KABIRO_TEST_WRAPPER(TestObject, QTEST_MAIN_SETUP())
#define KABIRO_TEST_GUILESS_MAIN(TestObject)                                                       \
    KABIRO_TEST_WRAPPER(TestObject, QTEST_QAPP_SETUP(QCoreApplication))
#define KABIRO_TEST_APPLESS_MAIN(TestObject) KABIRO_TEST_WRAPPER(TestObject)
