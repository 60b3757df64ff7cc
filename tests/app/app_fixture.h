// The application's tests: a start-up whose search and window are the test's, in private data and
// runtime folders.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/dravonel_app.h"
#include "tests/platform_system/test_support.h"

// Records what start-up did instead of searching and showing the window.
class CTestApp : public CDravonelApp {
public:
    LANGID nLangId = 0x0409;
    std::vector<std::string> events;
    // Runs in place of the main window.
    std::function<void()> onMainWindow;

protected:
    INT_PTR RunMainWindow() override
    {
        events.push_back("window");
        if (onMainWindow)
            onMainWindow();
        return IDOK;
    }
    void StartDeviceSearch() override { events.push_back("start search"); }
    void StopDeviceSearch() override { events.push_back("stop search"); }
    LANGID GetSystemLanguage() override { return nLangId; }
};

// Sets an environment variable for the fixture's life.
class CEnvironmentValue {
public:
    CEnvironmentValue(const char* szName, const std::optional<std::string>& value) : m_szName(szName)
    {
        if (const char* szOld = std::getenv(szName))
            m_old = szOld;
        if (value)
            setenv(szName, value->c_str(), 1);
        else
            unsetenv(szName);
    }
    ~CEnvironmentValue()
    {
        if (m_old)
            setenv(m_szName, m_old->c_str(), 1);
        else
            unsetenv(m_szName);
    }
    CEnvironmentValue(const CEnvironmentValue&) = delete;
    CEnvironmentValue& operator=(const CEnvironmentValue&) = delete;

private:
    const char* m_szName;
    std::optional<std::string> m_old;
};

// The data folder root and the runtime folder (marker, window directory) are private per test.
class AppTest : public ::testing::Test {
protected:
    std::string Root() const { return dataHome.Path(); }
    std::string DataFolder() const { return Root() + "/VELKSearchTools"; }
    std::string PictureFolder() const { return DataFolder() + "/Picture"; }

    CTempFolder dataHome;
    CTempFolder runtime;
    CEnvironmentValue dataHomeValue{"XDG_DATA_HOME", dataHome.Path()};
    CEnvironmentValue runtimeValue{"XDG_RUNTIME_DIR", runtime.Path()};
};
