// Test entry: the program's application object with its error net, headless,
// the scripted user and GoogleTest.
#include "appsetup.h"
#include "errornet.h"
#include "scripted.h"
#include "windows.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// Each test starts with a fresh scripted user and a configuration file of its own.
class FreshUser : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo &) override
    {
        bv::test::user().clear();
        dir_ = std::make_unique<QTemporaryDir>();
        qputenv("BORVINAT_CONFIG", dir_->filePath(QStringLiteral("borvinat.conf")).toLocal8Bit());
    }
    void OnTestEnd(const ::testing::TestInfo &) override { dir_.reset(); }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};
}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    bv::Application app(argc, argv);
    bv::setUpApplication();
    bv::setUi(&bv::test::user());
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshUser);
    const int result = RUN_ALL_TESTS();
    bv::shutDownApplication();
    return result;
}
