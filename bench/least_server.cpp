// The least HTTP server Winsock allows, to measure beside KorvaNT.exe what any server costs per
// request under the same Wine: one thread, blocking accept, one receive and one send of a
// reply the size of KorvaNT's exposition, then close. It listens where the export would, at
// [Export] Port of the KorvaNT.ini beside it (`scripts/measure-cpu` writes it), and has no window.
//   KORVANT_MEASURE_EXE=build/win/least_server.exe KORVANT_MEASURE_EXPORT_PORT=19184 \
//       scripts/measure-cpu 60
// clang-format off: winsock2.h must come before windows.h
#include <windows.h>
#include <winsock2.h>
// clang-format on

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    wchar_t ini[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, ini, MAX_PATH);
    std::wstring path(ini, length);
    path = path.substr(0, path.rfind(L'\\') + 1) + L"KorvaNT.ini";
    const int port =
        static_cast<int>(GetPrivateProfileIntW(L"Export", L"Port", 9184, path.c_str()));

    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return 1;
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(static_cast<u_short>(port));
    at.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener, reinterpret_cast<sockaddr*>(&at), sizeof at) != 0 ||
        listen(listener, SOMAXCONN) != 0)
        return 1;
    const std::string body(3 * 1024, 'x');
    const std::string reply = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                              std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    char request[8192];
    for (;;) {
        SOCKET peer = accept(listener, nullptr, nullptr);
        if (peer == INVALID_SOCKET) continue;
        if (recv(peer, request, sizeof request, 0) > 0)
            send(peer, reply.data(), static_cast<int>(reply.size()), 0);
        closesocket(peer);
    }
}
