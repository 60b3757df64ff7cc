#include "log/log_system.h"

#include <boost/date_time/posix_time/posix_time.hpp>

#include <atomic>
#include <cstdarg>
#include <cstring>

namespace {

constexpr std::size_t LOG_PATH_SIZE = 4096;
constexpr std::size_t LOG_LINE_SIZE = 1024;

// Read by every logging thread without a lock; written only by Reset and Enable, which run
// before the search threads start.
std::atomic<bool> bEnabled{false};
char szLogPath[LOG_PATH_SIZE] = {};
std::atomic<std::FILE*> pEchoStream{stdout};

bool IsOn()
{
    return bEnabled.load(std::memory_order_acquire) && szLogPath[0] != '\0';
}

// Formats into a 1024-byte buffer; false when the text is empty or longer than 1023 characters.
bool FormatLine(char (&szLine)[LOG_LINE_SIZE], const char* format, std::va_list args)
{
    std::memset(szLine, 0, sizeof szLine);
    const int nLength = std::vsnprintf(szLine, sizeof szLine, format, args);
    return nLength > 0 && static_cast<std::size_t>(nLength) < sizeof szLine;
}

bool FormatLine(char (&szLine)[LOG_LINE_SIZE], const char* format, ...)
    __attribute__((format(printf, 2, 3)));

bool FormatLine(char (&szLine)[LOG_LINE_SIZE], const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    const bool bFits = FormatLine(szLine, format, args);
    va_end(args);
    return bFits;
}

void AppendToFile(const char* szText)
{
    if (std::FILE* pFile = std::fopen(szLogPath, "a+")) {
        std::fputs(szText, pFile);
        std::fclose(pFile);
    }
}

int Emit(const char* szLine)
{
    AppendToFile(szLine);
    std::FILE* pEcho = pEchoStream.load(std::memory_order_relaxed);
    std::fputs(szLine, pEcho);
    std::fflush(pEcho);
    return 1;
}

} // namespace

void CLogSystem::Reset()
{
    bEnabled.store(false, std::memory_order_release);
    std::memset(szLogPath, 0, sizeof szLogPath);
    pEchoStream.store(stdout, std::memory_order_relaxed);
}

void CLogSystem::Enable(const char* szPath, std::FILE* pEcho)
{
    Reset();
    if (szPath == nullptr || *szPath == '\0' || std::strlen(szPath) >= LOG_PATH_SIZE)
        return;
    std::strcpy(szLogPath, szPath);
    pEchoStream.store(pEcho ? pEcho : stdout, std::memory_order_relaxed);
    bEnabled.store(true, std::memory_order_release);
}

int CLogSystem::Write(const char* format, ...)
{
    if (!IsOn() || format == nullptr)
        return 0;
    char szMessage[LOG_LINE_SIZE];
    std::va_list args;
    va_start(args, format);
    const bool bMessage = FormatLine(szMessage, format, args);
    va_end(args);
    if (!bMessage)
        return 0;
    const boost::posix_time::ptime now = boost::posix_time::second_clock::local_time();
    const boost::posix_time::time_duration time = now.time_of_day();
    char szLine[LOG_LINE_SIZE];
    if (!FormatLine(szLine, "%s*[%02d::%02d:%02d:%02d]\r\n", szMessage,
                    static_cast<int>(now.date().day()), static_cast<int>(time.hours()),
                    static_cast<int>(time.minutes()), static_cast<int>(time.seconds())))
        return 0;
    return Emit(szLine);
}

int CLogSystem::WriteStamped(const char* format, ...)
{
    if (!IsOn() || format == nullptr)
        return 0;
    char szMessage[LOG_LINE_SIZE];
    std::va_list args;
    va_start(args, format);
    const bool bMessage = FormatLine(szMessage, format, args);
    va_end(args);
    if (!bMessage)
        return 0;
    // Boost renders the time of day as hh:mm:ss and adds ".ffffff" only when it is not zero.
    const std::string strTime = boost::posix_time::to_simple_string(
        boost::posix_time::microsec_clock::local_time().time_of_day());
    char szLine[LOG_LINE_SIZE];
    if (!FormatLine(szLine, "[--%s--]*%s\r\n", strTime.c_str(), szMessage))
        return 0;
    return Emit(szLine);
}

void CLogSystem::WriteExitMarker()
{
    if (IsOn())
        AppendToFile("------Exit Log System-------\r\n");
}
