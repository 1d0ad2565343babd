#include "tests/windows/update/UpdateTestSupport.h"

#include <winsock2.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/driver/Driver.h"

namespace updatetest {

namespace {
const char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

std::string serverFolder()
{
    return driver::windowsPath(UPDATE_SERVER_DIR);
}

std::vector<std::string> caughtTexts;

std::string messageText(HWND box)
{
    std::string text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) -> BOOL {
            char name[32] = {};
            GetClassNameA(child, name, sizeof name);
            const std::string childText = driver::windowText(child);
            if (lstrcmpiA(name, "Static") == 0 && !childText.empty()) {
                *reinterpret_cast<std::string*>(found) = childText;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

// Runs inside the message box's own modal loop.
void CALLBACK answerMessageBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            if (IsWindowVisible(window) && driver::className(window) == "#32770") {
                caughtTexts.push_back(messageText(window));
                ShowWindow(window, SW_HIDE);
                PostMessageA(window, WM_COMMAND, IDOK, 0);
            }
            return TRUE;
        },
        0);
}

void collectFiles(const std::string& folder, const std::string& relative, std::vector<std::string>& files)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            collectFiles(folder, relative + name + "\\", files);
        else
            files.push_back(relative + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
}

ProxyOverride::ProxyOverride(int port)
{
    DWORD size = sizeof enable_;
    hadEnable_ = RegGetValueA(HKEY_CURRENT_USER, kInternetSettings, "ProxyEnable", RRF_RT_REG_DWORD, nullptr, &enable_,
                              &size) == ERROR_SUCCESS;
    char server[1024] = {};
    size = sizeof server;
    hadServer_ = RegGetValueA(HKEY_CURRENT_USER, kInternetSettings, "ProxyServer", RRF_RT_REG_SZ, nullptr, server,
                              &size) == ERROR_SUCCESS;
    server_ = server;
    pointAt(port);
}

ProxyOverride::~ProxyOverride()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kInternetSettings, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    if (hadEnable_)
        RegSetValueExA(key, "ProxyEnable", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enable_), sizeof enable_);
    else
        RegDeleteValueA(key, "ProxyEnable");
    if (hadServer_)
        RegSetValueExA(key, "ProxyServer", 0, REG_SZ, reinterpret_cast<const BYTE*>(server_.c_str()),
                       static_cast<DWORD>(server_.size() + 1));
    else
        RegDeleteValueA(key, "ProxyServer");
    RegCloseKey(key);
}

void ProxyOverride::pointAt(int port)
{
    driver::setDword(kInternetSettings, "ProxyEnable", 1);
    driver::setString(kInternetSettings, "ProxyServer", "127.0.0.1:" + std::to_string(port));
}

namespace server {
int port()
{
    return std::atoi(readFile(serverFolder() + "\\port").c_str());
}

int deadPort()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(probe);
    WSACleanup();
    return ntohs(address.sin_port);
}

void clear()
{
    removeTree(serverFolder() + "\\root\\");
    CreateDirectoryA((serverFolder() + "\\root").c_str(), nullptr);
    DeleteFileA((serverFolder() + "\\requests.log").c_str());
}

void put(const std::string& path, const std::string& bytes)
{
    std::string file = serverFolder() + "\\root" + path;
    std::replace(file.begin(), file.end(), '/', '\\');
    for (std::size_t i = file.find('\\', 3); i != std::string::npos; i = file.find('\\', i + 1))
        CreateDirectoryA(file.substr(0, i).c_str(), nullptr);
    writeFile(file, bytes);
}

std::vector<std::string> requests()
{
    std::istringstream lines(readFile(serverFolder() + "\\requests.log"));
    std::vector<std::string> result;
    for (std::string line; std::getline(lines, line);)
        result.push_back(line);
    return result;
}
}

MessageBoxes::MessageBoxes() : timer_(SetTimer(nullptr, 0, 50, answerMessageBoxes))
{
    caughtTexts.clear();
}

MessageBoxes::~MessageBoxes()
{
    KillTimer(nullptr, timer_);
}

const std::vector<std::string>& MessageBoxes::texts() const
{
    return caughtTexts;
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

std::vector<std::string> filesBelow(const std::string& folder)
{
    std::vector<std::string> files;
    collectFiles(folder, "", files);
    std::sort(files.begin(), files.end());
    return files;
}

void removeTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(folder + name + "\\");
            else
                DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());
}

}
