// A test fixture whose current directory is a fresh temporary folder and
// whose PATH is that folder's bin/ alone: whatever the shell starts there is
// only what the test put there. `Base` is the GoogleTest fixture kind
// (testing::Test, or testing::TestWithParam<T> for a table).
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>

template <class Base = testing::Test> class ShellSandbox : public Base {
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

    // An executable shell script at `p` running `body`.
    static void WriteScript(const std::filesystem::path& p, const std::string& body)
    {
        std::ofstream(p) << "#!/bin/sh\n" << body;
        chmod(p.c_str(), 0755);
    }

    // Waits up to five seconds for `p` to end in a line "END" and gives its
    // whole text then, or "<nothing>".
    static std::string WaitForEnd(const std::filesystem::path& p)
    {
        for (int i = 0; i < 500; ++i) {
            std::string s = ReadText(p);
            if (s.ends_with("END\n")) return s;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return "<nothing>";
    }

    static std::string ReadText(const std::filesystem::path& p)
    {
        std::ifstream in(p);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    std::filesystem::path m_dir, m_oldCwd;
    std::string m_oldPath;
};
