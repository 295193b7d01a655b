// A small HTTP server on 127.0.0.1 for the update check's tests: it answers
// every request with the reply it holds (status and body) and keeps the
// request lines it saw. One connection at a time, "Connection: close".
#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackHttpServer {
public:
    LoopbackHttpServer() {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
        m_listen = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;  // any free port
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        ::listen(m_listen, 8);
        int size = sizeof(address);
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &size);
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }
    ~LoopbackHttpServer() {
        m_stop = true;
        ::closesocket(m_listen);
        if (m_thread.joinable()) m_thread.join();
        ::WSACleanup();
    }
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    int Port() const { return m_port; }
    // "http://127.0.0.1:<port>"
    std::string Base() const { return "http://127.0.0.1:" + std::to_string(m_port); }

    void SetReply(const std::string& body, int status = 200, int delayMs = 0) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_body = body;
        m_status = status;
        m_delayMs = delayMs;
    }
    std::vector<std::string> Requests() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }
    void ClearRequests() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.clear();
    }

private:
    void Serve() {
        while (!m_stop) {
            SOCKET client = ::accept(m_listen, nullptr, nullptr);
            if (client == INVALID_SOCKET) break;
            std::string request;
            char buffer[1024];
            while (request.find("\r\n\r\n") == std::string::npos) {
                const int n = ::recv(client, buffer, sizeof(buffer), 0);
                if (n <= 0) break;
                request.append(buffer, static_cast<size_t>(n));
            }
            std::string body;
            int status = 200, delay = 0;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests.push_back(request.substr(0, request.find("\r\n")));
                body = m_body;
                status = m_status;
                delay = m_delayMs;
            }
            if (delay > 0) ::Sleep(static_cast<DWORD>(delay));
            const std::string reply = "HTTP/1.0 " + std::to_string(status) + (status == 200 ? " OK" : " Error") +
                                      "\r\nContent-Type: text/plain\r\nContent-Length: " +
                                      std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            ::send(client, reply.data(), static_cast<int>(reply.size()), 0);
            ::shutdown(client, SD_SEND);
            ::closesocket(client);
        }
    }

    SOCKET m_listen = INVALID_SOCKET;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    std::string m_body = "NO_UPDATE";
    int m_status = 200;
    int m_delayMs = 0;
    std::vector<std::string> m_requests;
};
