#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/support/temp_folder.h"

namespace keyloom {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;

TEST(InstanceLock, SecondHolderLearnsThatItExists) {
    const TempFolder temp;
    const std::wstring name = L"Ostrel X9 Driver";
    auto first = std::make_unique<InstanceLock>(name, temp.path());
    ASSERT_EQ(first->GetState(), InstanceLock::State::kHeld);
    EXPECT_FALSE(first->AlreadyExists());

    const InstanceLock second(name, temp.path());
    EXPECT_TRUE(second.AlreadyExists());
    const InstanceLock other(name + L" other", temp.path());
    EXPECT_EQ(other.GetState(), InstanceLock::State::kHeld) << "names are separate locks";

    first.reset();
    const InstanceLock after_release(name, temp.path());
    EXPECT_EQ(after_release.GetState(), InstanceLock::State::kHeld);
}

TEST(InstanceLock, NameWithSlashesStaysInTheLockFolder) {
    const TempFolder temp;
    const InstanceLock lock(L"../x/Ostrel X9 Driver", temp.path());
    EXPECT_EQ(lock.GetState(), InstanceLock::State::kHeld);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(InstanceLock, MissingFolderLeavesTheProgramUnprotected) {
    const TempFolder temp;
    const InstanceLock lock(L"Ostrel X9 Driver", temp.path() / "missing");
    EXPECT_EQ(lock.GetState(), InstanceLock::State::kUnavailable);
    EXPECT_FALSE(lock.AlreadyExists());
}

}  // namespace
}  // namespace keyloom
