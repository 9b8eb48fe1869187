// Windows Sockets: start-up, CAsyncSocket and the per-thread socket window that turns WSAAsyncSelect's
// messages into the socket's virtual calls.
#include "wndstate.h"

#include <mutex>

IMPLEMENT_DYNAMIC(CAsyncSocket, CObject)

namespace afximpl
{
namespace
{
const wchar_t kSocketWindowClass[] = L"AfxSocketNotificationSink";

// Windows Sockets stay started for the life of the process: a clean-up from the unloading DLL would run
// under the loader lock, and the system releases everything when the process ends.
struct SocketLibrary
{
    std::once_flag once;
    int nStartError = 0;
    WSADATA data = {};
} g_socketLibrary;

LRESULT CALLBACK SocketWindowProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg)
    {
    case WM_SOCKET_NOTIFY:
        // Nothing may leave here by an exception: the caller is the system.
        try
        {
            CAsyncSocket::DoCallBack(wParam, lParam);
        }
        catch (CException* e)
        {
            const MSG msg = {hWnd, nMsg, wParam, lParam, 0, {}};
            ProcessWndProcException(e, &msg);
            e->Delete();
        }
        catch (...)
        {
            TRACE(L"An unexpected error escaped a socket notification.\n");
        }
        return 0;
    case WM_SOCKET_DEAD:
    {
        auto& dead = CurrentThreadState().deadSockets;
        auto found = dead.find(static_cast<SOCKET>(wParam));
        if (found != dead.end() && --found->second == 0)
        {
            dead.erase(found);
        }
        return 0;
    }
    default:
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
}

// The calling thread's socket window, made on first use: message-only, as nothing is ever shown.
HWND SocketWindow()
{
    ThreadState& state = CurrentThreadState();
    if (state.hSocketWindow != nullptr)
    {
        return state.hSocketWindow;
    }
    static const ATOM atom = []
    {
        WNDCLASSW wndcls = {};
        wndcls.lpfnWndProc = &SocketWindowProc;
        wndcls.hInstance = AfxGetInstanceHandle();
        wndcls.lpszClassName = kSocketWindowClass;
        return ::RegisterClassW(&wndcls);
    }();
    if (atom == 0)
    {
        return nullptr;
    }
    state.hSocketWindow =
        ::CreateWindowExW(0, kSocketWindowClass, L"Socket Notification Sink", WS_OVERLAPPED, 0, 0, 0, 0,
                          HWND_MESSAGE, nullptr, AfxGetInstanceHandle(), nullptr);
    return state.hSocketWindow;
}

// Takes pSocket's handle out of the thread's map; the events still queued for it are dropped until the
// window has seen WM_SOCKET_DEAD.
void KillSocket(CAsyncSocket* pSocket)
{
    ThreadState& state = CurrentThreadState();
    const SOCKET hSocket = state.sockets.Detach(pSocket);
    pSocket->m_hSocket = INVALID_SOCKET;
    if (hSocket == INVALID_SOCKET || state.hSocketWindow == nullptr)
    {
        return;
    }
    ++state.deadSockets[hSocket];
    if (!::PostMessageW(state.hSocketWindow, WM_SOCKET_DEAD, hSocket, 0))
    {
        auto found = state.deadSockets.find(hSocket);
        if (--found->second == 0)
        {
            state.deadSockets.erase(found);
        }
    }
}

int SocketFamily(SOCKET hSocket)
{
    WSAPROTOCOL_INFOW info = {};
    int nLength = sizeof(info);
    if (::getsockopt(hSocket, SOL_SOCKET, SO_PROTOCOL_INFOW, reinterpret_cast<char*>(&info), &nLength) == 0)
    {
        return info.iAddressFamily;
    }
    return AF_INET;
}

// The address of nFamily for lpszAddress (any address when null or empty) and nPort. bNumeric refuses host
// names. FALSE with the reason as the last socket error.
BOOL MakeSockAddr(int nFamily, LPCTSTR lpszAddress, UINT nPort, bool bNumeric, SOCKADDR_STORAGE& address,
                  int& nLength)
{
    address = {};
    if (nPort > 0xFFFF)
    {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    const u_short port = ::htons(static_cast<u_short>(nPort));
    if (lpszAddress == nullptr || *lpszAddress == L'\0')
    {
        address.ss_family = static_cast<ADDRESS_FAMILY>(nFamily);
        if (nFamily == AF_INET6)
        {
            reinterpret_cast<sockaddr_in6&>(address).sin6_port = port;
            nLength = sizeof(sockaddr_in6);
        }
        else
        {
            reinterpret_cast<sockaddr_in&>(address).sin_port = port;
            nLength = sizeof(sockaddr_in);
        }
        return TRUE;
    }
    ADDRINFOW hints = {};
    hints.ai_family = nFamily;
    hints.ai_flags = bNumeric ? AI_NUMERICHOST : 0;
    ADDRINFOW* pResult = nullptr;
    const int nError = ::GetAddrInfoW(lpszAddress, nullptr, &hints, &pResult);
    if (nError != 0 || pResult == nullptr)
    {
        ::WSASetLastError(nError != 0 ? nError : WSAHOST_NOT_FOUND);
        return FALSE;
    }
    nLength = static_cast<int>(pResult->ai_addrlen);
    memcpy(&address, pResult->ai_addr, pResult->ai_addrlen);
    ::FreeAddrInfoW(pResult);
    // The port sits at the same place in both families' structures.
    reinterpret_cast<sockaddr_in&>(address).sin_port = port;
    return TRUE;
}

// The numeric text and port of an address.
BOOL FormatSockAddr(const SOCKADDR* pAddress, int nLength, CString& rAddress, UINT& rPort)
{
    wchar_t szHost[NI_MAXHOST];
    wchar_t szService[NI_MAXSERV];
    const int nError = ::GetNameInfoW(pAddress, nLength, szHost, NI_MAXHOST, szService, NI_MAXSERV,
                                      NI_NUMERICHOST | NI_NUMERICSERV);
    if (nError != 0)
    {
        ::WSASetLastError(nError);
        return FALSE;
    }
    rAddress = szHost;
    rPort = static_cast<UINT>(_wtoi(szService));
    return TRUE;
}
} // namespace
} // namespace afximpl

using namespace afximpl;

BOOL AFXAPI AfxSocketInit(WSADATA* lpwsaData)
{
    std::call_once(g_socketLibrary.once,
                   [] { g_socketLibrary.nStartError = ::WSAStartup(MAKEWORD(2, 2), &g_socketLibrary.data); });
    if (g_socketLibrary.nStartError != 0)
    {
        return FALSE;
    }
    if (lpwsaData != nullptr)
    {
        *lpwsaData = g_socketLibrary.data;
    }
    return TRUE;
}

CAsyncSocket::CAsyncSocket() : m_hSocket(INVALID_SOCKET) {}

CAsyncSocket::~CAsyncSocket()
{
    if (m_hSocket != INVALID_SOCKET)
    {
        CAsyncSocket::Close();
    }
}

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, long lEvent, LPCTSTR lpszSocketAddress)
{
    const int nFamily = lpszSocketAddress != nullptr && wcschr(lpszSocketAddress, L':') ? AF_INET6 : AF_INET;
    if (!Socket(nSocketType, lEvent, 0, nFamily))
    {
        return FALSE;
    }
    if (Bind(nSocketPort, lpszSocketAddress))
    {
        return TRUE;
    }
    const int nError = ::WSAGetLastError();
    Close();
    ::WSASetLastError(nError);
    return FALSE;
}

BOOL CAsyncSocket::Socket(int nSocketType, long lEvent, int nProtocolType, int nAddressFormat)
{
    if (m_hSocket != INVALID_SOCKET)
    {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    const SOCKET hSocket = ::socket(nAddressFormat, nSocketType, nProtocolType);
    if (hSocket == INVALID_SOCKET)
    {
        return FALSE;
    }
    if (Attach(hSocket, lEvent))
    {
        return TRUE;
    }
    const int nError = ::WSAGetLastError();
    if (m_hSocket == hSocket)
    {
        KillSocket(this);
    }
    ::closesocket(hSocket);
    ::WSASetLastError(nError);
    return FALSE;
}

BOOL CAsyncSocket::Attach(SOCKET hSocket, long lEvent)
{
    if (hSocket == INVALID_SOCKET || m_hSocket != INVALID_SOCKET)
    {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    if (SocketWindow() == nullptr)
    {
        ::WSASetLastError(WSAENOBUFS);
        return FALSE;
    }
    if (!CurrentThreadState().sockets.Attach(this, hSocket))
    {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    return AsyncSelect(lEvent);
}

SOCKET CAsyncSocket::Detach()
{
    const SOCKET hSocket = m_hSocket;
    if (hSocket == INVALID_SOCKET || !AsyncSelect(0))
    {
        return INVALID_SOCKET;
    }
    KillSocket(this);
    return hSocket;
}

BOOL CAsyncSocket::GetPeerName(CString& rPeerAddress, UINT& rPeerPort)
{
    SOCKADDR_STORAGE address = {};
    int nLength = sizeof(address);
    return GetPeerName(reinterpret_cast<SOCKADDR*>(&address), &nLength) &&
           FormatSockAddr(reinterpret_cast<SOCKADDR*>(&address), nLength, rPeerAddress, rPeerPort);
}

BOOL CAsyncSocket::GetPeerName(SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    return ::getpeername(m_hSocket, lpSockAddr, lpSockAddrLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockName(CString& rSocketAddress, UINT& rSocketPort)
{
    SOCKADDR_STORAGE address = {};
    int nLength = sizeof(address);
    return GetSockName(reinterpret_cast<SOCKADDR*>(&address), &nLength) &&
           FormatSockAddr(reinterpret_cast<SOCKADDR*>(&address), nLength, rSocketAddress, rSocketPort);
}

BOOL CAsyncSocket::GetSockName(SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    return ::getsockname(m_hSocket, lpSockAddr, lpSockAddrLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel)
{
    return ::setsockopt(m_hSocket, nLevel, nOptionName, static_cast<const char*>(lpOptionValue),
                        nOptionLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel)
{
    return ::getsockopt(m_hSocket, nLevel, nOptionName, static_cast<char*>(lpOptionValue), lpOptionLen) !=
           SOCKET_ERROR;
}

CAsyncSocket* PASCAL CAsyncSocket::FromHandle(SOCKET hSocket)
{
    return CurrentThreadState().sockets.LookupPermanent(hSocket);
}

int PASCAL CAsyncSocket::GetLastError()
{
    return ::WSAGetLastError();
}

BOOL CAsyncSocket::Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    if (rConnectedSocket.m_hSocket != INVALID_SOCKET)
    {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    const SOCKET hSocket = ::accept(m_hSocket, lpSockAddr, lpSockAddrLen);
    if (hSocket == INVALID_SOCKET)
    {
        return FALSE;
    }
    if (rConnectedSocket.Attach(hSocket))
    {
        return TRUE;
    }
    const int nError = ::WSAGetLastError();
    if (rConnectedSocket.m_hSocket == hSocket)
    {
        KillSocket(&rConnectedSocket);
    }
    ::closesocket(hSocket);
    ::WSASetLastError(nError);
    return FALSE;
}

BOOL CAsyncSocket::Bind(UINT nSocketPort, LPCTSTR lpszSocketAddress)
{
    SOCKADDR_STORAGE address;
    int nLength = 0;
    return MakeSockAddr(SocketFamily(m_hSocket), lpszSocketAddress, nSocketPort, true, address, nLength) &&
           Bind(reinterpret_cast<SOCKADDR*>(&address), nLength);
}

BOOL CAsyncSocket::Bind(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    return ::bind(m_hSocket, lpSockAddr, nSockAddrLen) != SOCKET_ERROR;
}

void CAsyncSocket::Close()
{
    if (m_hSocket == INVALID_SOCKET)
    {
        return;
    }
    const SOCKET hSocket = m_hSocket;
    KillSocket(this);
    ::closesocket(hSocket);
}

BOOL CAsyncSocket::Connect(LPCTSTR lpszHostAddress, UINT nHostPort)
{
    if (lpszHostAddress == nullptr || *lpszHostAddress == L'\0')
    {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    SOCKADDR_STORAGE address;
    int nLength = 0;
    return MakeSockAddr(SocketFamily(m_hSocket), lpszHostAddress, nHostPort, false, address, nLength) &&
           Connect(reinterpret_cast<SOCKADDR*>(&address), nLength);
}

BOOL CAsyncSocket::Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    return ConnectHelper(lpSockAddr, nSockAddrLen);
}

BOOL CAsyncSocket::IOCtl(long lCommand, DWORD* lpArgument)
{
    return ::ioctlsocket(m_hSocket, lCommand, lpArgument) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Listen(int nConnectionBacklog)
{
    return ::listen(m_hSocket, nConnectionBacklog) != SOCKET_ERROR;
}

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int nFlags)
{
    return ::recv(m_hSocket, static_cast<char*>(lpBuf), nBufLen, nFlags);
}

int CAsyncSocket::ReceiveFrom(void* lpBuf, int nBufLen, CString& rSocketAddress, UINT& rSocketPort,
                              int nFlags)
{
    SOCKADDR_STORAGE address = {};
    int nLength = sizeof(address);
    const int nResult = ReceiveFrom(lpBuf, nBufLen, reinterpret_cast<SOCKADDR*>(&address), &nLength, nFlags);
    if (nResult != SOCKET_ERROR &&
        !FormatSockAddr(reinterpret_cast<SOCKADDR*>(&address), nLength, rSocketAddress, rSocketPort))
    {
        rSocketAddress.Empty();
        rSocketPort = 0;
    }
    return nResult;
}

int CAsyncSocket::ReceiveFrom(void* lpBuf, int nBufLen, SOCKADDR* lpSockAddr, int* lpSockAddrLen, int nFlags)
{
    return ReceiveFromHelper(lpBuf, nBufLen, lpSockAddr, lpSockAddrLen, nFlags);
}

BOOL CAsyncSocket::ShutDown(int nHow)
{
    return ::shutdown(m_hSocket, nHow) != SOCKET_ERROR;
}

int CAsyncSocket::Send(const void* lpBuf, int nBufLen, int nFlags)
{
    return ::send(m_hSocket, static_cast<const char*>(lpBuf), nBufLen, nFlags);
}

int CAsyncSocket::SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, LPCTSTR lpszHostAddress, int nFlags)
{
    const int nFamily = SocketFamily(m_hSocket);
    SOCKADDR_STORAGE address;
    int nLength = 0;
    if (!MakeSockAddr(nFamily, lpszHostAddress, nHostPort, false, address, nLength))
    {
        return SOCKET_ERROR;
    }
    // Without an address an IPv4 datagram goes to everybody.
    if ((lpszHostAddress == nullptr || *lpszHostAddress == L'\0') && nFamily == AF_INET)
    {
        reinterpret_cast<sockaddr_in&>(address).sin_addr.s_addr = INADDR_BROADCAST;
    }
    return SendTo(lpBuf, nBufLen, reinterpret_cast<SOCKADDR*>(&address), nLength, nFlags);
}

int CAsyncSocket::SendTo(const void* lpBuf, int nBufLen, const SOCKADDR* lpSockAddr, int nSockAddrLen,
                         int nFlags)
{
    return SendToHelper(lpBuf, nBufLen, lpSockAddr, nSockAddrLen, nFlags);
}

BOOL CAsyncSocket::AsyncSelect(long lEvent)
{
    const HWND hWnd = SocketWindow();
    if (hWnd == nullptr)
    {
        ::WSASetLastError(WSAENOBUFS);
        return FALSE;
    }
    return ::WSAAsyncSelect(m_hSocket, hWnd, WM_SOCKET_NOTIFY, lEvent) != SOCKET_ERROR;
}

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}

void PASCAL CAsyncSocket::DoCallBack(WPARAM wParam, LPARAM lParam)
{
    const auto hSocket = static_cast<SOCKET>(wParam);
    ThreadState& state = CurrentThreadState();
    if (state.deadSockets.count(hSocket) != 0)
    {
        return;
    }
    CAsyncSocket* pSocket = state.sockets.LookupPermanent(hSocket);
    if (pSocket == nullptr)
    {
        return;
    }
    int nErrorCode = WSAGETSELECTERROR(lParam);
    switch (WSAGETSELECTEVENT(lParam))
    {
    case FD_READ:
    {
        // A notification may be older than a Receive that already took the data: only a socket that still
        // has bytes waiting (or an error to report) hears about it.
        DWORD nWaiting = 0;
        if (!pSocket->IOCtl(FIONREAD, &nWaiting))
        {
            nErrorCode = ::WSAGetLastError();
        }
        if (nWaiting != 0 || nErrorCode != 0)
        {
            pSocket->OnReceive(nErrorCode);
        }
        break;
    }
    case FD_WRITE:
        pSocket->OnSend(nErrorCode);
        break;
    case FD_OOB:
        pSocket->OnOutOfBandData(nErrorCode);
        break;
    case FD_ACCEPT:
        pSocket->OnAccept(nErrorCode);
        break;
    case FD_CONNECT:
        pSocket->OnConnect(nErrorCode);
        break;
    case FD_CLOSE:
        pSocket->OnClose(nErrorCode);
        break;
    default:
        break;
    }
}

BOOL CAsyncSocket::ConnectHelper(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    return ::connect(m_hSocket, lpSockAddr, nSockAddrLen) != SOCKET_ERROR;
}

int CAsyncSocket::ReceiveFromHelper(void* lpBuf, int nBufLen, SOCKADDR* lpSockAddr, int* lpSockAddrLen,
                                    int nFlags)
{
    return ::recvfrom(m_hSocket, static_cast<char*>(lpBuf), nBufLen, nFlags, lpSockAddr, lpSockAddrLen);
}

int CAsyncSocket::SendToHelper(const void* lpBuf, int nBufLen, const SOCKADDR* lpSockAddr, int nSockAddrLen,
                               int nFlags)
{
    return ::sendto(m_hSocket, static_cast<const char*>(lpBuf), nBufLen, nFlags, lpSockAddr, nSockAddrLen);
}
