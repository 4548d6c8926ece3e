// The least HTTP server: a blocking accept, one receive and one send of a 3 KB reply on each
// connection, nothing kept. scripts/measure-cpu scrapes it beside KorvaNT.exe's export under the
// same Wine, so that the export's cost per request has a floor measured in the same run.
//   least_http_server.exe PORT    (listens on 127.0.0.1)
#include <winsock2.h>

#include <cstdlib>
#include <string>

int wmain(int argc, wchar_t** argv) {
    const int port = argc > 1 ? _wtoi(argv[1]) : 19185;
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 1;
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (listener == INVALID_SOCKET ||
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener, SOMAXCONN) != 0)
        return 2;
    // About what KorvaNT's /metrics answers with every item shown.
    const std::string body(3000, '#');
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
