// Windows Sockets: AfxSocketInit and CAsyncSocket, a socket whose network events arrive as virtual calls
// (OnReceive, OnSend, OnOutOfBandData, OnAccept, OnConnect, OnClose) on the thread that attached it. Each
// thread that attaches sockets gets one hidden socket window; WSAAsyncSelect posts the events to it, and the
// thread's message loop dispatches them, so that thread must pump messages.
//
//     class CEcho : public CAsyncSocket
//     {
//         void OnReceive(int nErrorCode) override
//         {
//             char buffer[512];
//             const int nRead = Receive(buffer, sizeof(buffer));
//             if (nRead > 0)
//                 Send(buffer, nRead);
//         }
//     };
//     AfxSocketInit();
//     CEcho socket;
//     socket.Create();
//     socket.Connect(L"127.0.0.1", 7);
#pragma once

#include "afxwin.h"

#include <ws2tcpip.h>

// Messages of the socket window: a network event (wParam the socket, lParam WSAMAKESELECTREPLY(event,
// error)), and the end of a closed or detached socket's stale events (wParam the socket).
#define WM_SOCKET_NOTIFY 0x0373
#define WM_SOCKET_DEAD 0x0374

// Starts Windows Sockets (version 2.2) for the process, once; the library is cleaned up when the process
// ends. FALSE when the system refuses. lpwsaData, when given, receives the start-up's description.
AFX_API BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData = nullptr);

class AFX_API CAsyncSocket : public CObject
{
    DECLARE_DYNAMIC(CAsyncSocket)
public:
    // Construction
    CAsyncSocket();
    CAsyncSocket(const CAsyncSocket&) = delete;
    CAsyncSocket& operator=(const CAsyncSocket&) = delete;
    // Closes the socket if it still has one.
    ~CAsyncSocket() override;

    // Makes a socket of nSocketType, selects lEvent and binds it to lpszSocketAddress (numeric, IPv4 or
    // IPv6; null for any IPv4 address) and nSocketPort. The family follows the address.
    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_STREAM,
                long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE,
                LPCTSTR lpszSocketAddress = nullptr);
    // Makes the socket only (no bind).
    BOOL Socket(int nSocketType = SOCK_STREAM,
                long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE,
                int nProtocolType = 0, int nAddressFormat = PF_INET);

    // Attributes
    SOCKET m_hSocket;

    operator SOCKET() const { return m_hSocket; }
    // Makes this object the owner of hSocket on the calling thread and selects lEvent. FALSE when the
    // object already has a socket, the socket belongs to another object, or the selection fails.
    BOOL Attach(SOCKET hSocket,
                long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE);
    // Stops the events and gives the socket up without closing it; INVALID_SOCKET when that fails.
    SOCKET Detach();

    BOOL GetPeerName(CString& rPeerAddress, UINT& rPeerPort);
    BOOL GetPeerName(SOCKADDR* lpSockAddr, int* lpSockAddrLen);
    BOOL GetSockName(CString& rSocketAddress, UINT& rSocketPort);
    BOOL GetSockName(SOCKADDR* lpSockAddr, int* lpSockAddrLen);

    BOOL SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel = SOL_SOCKET);
    BOOL GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel = SOL_SOCKET);

    // The object attached to hSocket on the calling thread; null when there is none.
    static CAsyncSocket* PASCAL FromHandle(SOCKET hSocket);
    static int PASCAL GetLastError();

    // Operations
    // Accepts into rConnectedSocket, which must have no socket; the new socket is attached to it on the
    // calling thread with every event selected.
    virtual BOOL Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr = nullptr,
                        int* lpSockAddrLen = nullptr);

    BOOL Bind(UINT nSocketPort, LPCTSTR lpszSocketAddress = nullptr);
    BOOL Bind(const SOCKADDR* lpSockAddr, int nSockAddrLen);

    // Closes the socket; events still on their way for it are dropped.
    virtual void Close();

    // lpszHostAddress: a numeric address or a host name.
    BOOL Connect(LPCTSTR lpszHostAddress, UINT nHostPort);
    BOOL Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen);

    BOOL IOCtl(long lCommand, DWORD* lpArgument);
    BOOL Listen(int nConnectionBacklog = 5);

    virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
    int ReceiveFrom(void* lpBuf, int nBufLen, CString& rSocketAddress, UINT& rSocketPort, int nFlags = 0);
    int ReceiveFrom(void* lpBuf, int nBufLen, SOCKADDR* lpSockAddr, int* lpSockAddrLen, int nFlags = 0);

    enum
    {
        receives = 0,
        sends = 1,
        both = 2
    };
    BOOL ShutDown(int nHow = sends);

    virtual int Send(const void* lpBuf, int nBufLen, int nFlags = 0);
    int SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, LPCTSTR lpszHostAddress = nullptr,
               int nFlags = 0);
    int SendTo(const void* lpBuf, int nBufLen, const SOCKADDR* lpSockAddr, int nSockAddrLen, int nFlags = 0);

    // Selects the events that reach this object (0 stops them); the socket is non-blocking from here on.
    BOOL AsyncSelect(long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE);

    // Overridables: one per network event, on the attaching thread, with the event's error code.
    virtual void OnReceive(int nErrorCode);
    virtual void OnSend(int nErrorCode);
    virtual void OnOutOfBandData(int nErrorCode);
    virtual void OnAccept(int nErrorCode);
    virtual void OnConnect(int nErrorCode);
    virtual void OnClose(int nErrorCode);

    // The socket window's dispatch: the event lParam for socket wParam goes to the socket's object.
    static void PASCAL DoCallBack(WPARAM wParam, LPARAM lParam);

protected:
    virtual BOOL ConnectHelper(const SOCKADDR* lpSockAddr, int nSockAddrLen);
    virtual int ReceiveFromHelper(void* lpBuf, int nBufLen, SOCKADDR* lpSockAddr, int* lpSockAddrLen,
                                  int nFlags);
    virtual int SendToHelper(const void* lpBuf, int nBufLen, const SOCKADDR* lpSockAddr, int nSockAddrLen,
                             int nFlags);
};
