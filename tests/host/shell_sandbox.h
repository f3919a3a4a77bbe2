// A test fixture whose current directory is a fresh temporary folder and
// whose PATH is that folder's bin/ alone: whatever the shell starts there is
// only what the test put there. `Base` is the GoogleTest fixture kind
// (testing::Test, or testing::TestWithParam<T> for a table).
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

template <class Base = testing::Test>
class ShellSandbox : public Base {
protected:
    void SetUp() override
    {
        char tmpl[] = "/tmp/orvane-shell-XXXXXX";
        ASSERT_TRUE(mkdtemp(tmpl));
        m_dir = tmpl;
        m_oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(m_dir);
        const char* path = std::getenv("PATH");
        m_oldPath = path ? path : "";
        std::filesystem::create_directory(m_dir / "bin");
        setenv("PATH", (m_dir / "bin").c_str(), 1);
    }
    void TearDown() override
    {
        setenv("PATH", m_oldPath.c_str(), 1);
        std::filesystem::current_path(m_oldCwd);
        std::filesystem::remove_all(m_dir);
    }

    std::filesystem::path m_dir, m_oldCwd;
    std::string m_oldPath;
};
