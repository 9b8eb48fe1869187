#include "ConnectionWindow.h"

#include "MainFrame.h"
#include "resource.h"

#include "frame/VReportMessageParams.h"
#include "hostkit/CountedBuffer.h"
#include "net/VAddress.h"

#include <algorithm>
#include <string>
#include <utility>

namespace
{
constexpr UINT_PTR kViewTimer = 1;
constexpr UINT_PTR kResumeTimer = 2;
constexpr UINT kViewInterval = 250;
constexpr unsigned kMinMessage = 64;
constexpr unsigned kMaxMessage = 4096;
const char* const kHostName = "localhost";
// The server listens on both, so the client reaches it whichever family the resolver gives first.
const char* const kLoopbacks[] = {"127.0.0.1", "::1"};

CConnectionWindow* g_pOpen = nullptr;
// Everything here runs on the window's thread, so a plain count serves.
int g_nLiveObjects = 0;

// A library object whose life the window's leak count follows.
template <class T> class Counted final : public T
{
public:
    template <class... Args> explicit Counted(Args&&... args) : T(std::forward<Args>(args)...)
    {
        ++g_nLiveObjects;
    }

protected:
    ~Counted() override { --g_nLiveObjects; }
};

IInternetAddress* MakeLoopback(int nFamily, unsigned short port)
{
    IInternetAddress* address = nFamily ? static_cast<IInternetAddress*>(new VAddressIPv6)
                                        : static_cast<IInternetAddress*>(new VAddressIPv4);
    if (address->SetAddress(kLoopbacks[nFamily], port))
        return address;
    address->Release();
    return nullptr;
}

// "error 10061: <the system's words for it>"
CString ErrorText(DWORD error)
{
    VReportMessageParams params(error);
    CString text;
    text.Format(L"error %lu: %s", error, params.GetSingleLineText());
    text.TrimRight();
    return text;
}

// 1234567 as "1,234,567".
CString Grouped(unsigned long long value)
{
    std::wstring digits = std::to_wstring(value);
    for (size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, L',');
    return CString(digits.c_str());
}
} // namespace

// The sinks of every socket the window makes. It outlives the window for as long as a socket still holds it
// (a lookup in flight keeps its socket); from then on it passes nothing on.
class CConnectionWindow::Events final : public ISocketSink,
                                        public IListenSocketSink,
                                        public IHostnameResolverSink
{
public:
    explicit Events(CConnectionWindow* pWindow) : window(pWindow) { ++g_nLiveObjects; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override
    {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references;
        if (left == 0)
            delete this;
        return left;
    }

    void OnReadComplete(void* context, DWORD error, IBuffer* buffer) override
    {
        if (window)
            window->OnRead(context, error, buffer);
    }
    void OnWriteComplete(void* context, DWORD error, IBuffer*, unsigned bytes) override
    {
        if (window)
            window->OnWritten(context, error, bytes);
    }
    // The window sends nothing out of band.
    void OnReadOOBComplete(void*, DWORD, IBuffer*) override {}
    void OnWriteOOBComplete(void*, DWORD, IBuffer*, unsigned) override {}
    void OnConnectComplete(void*, DWORD error) override
    {
        if (window)
            window->OnConnected(error);
    }
    void OnAcceptComplete(void* context, DWORD error, ISocket*, IInternetAddress*, IInternetAddress*) override
    {
        if (window)
            window->OnAccepted(static_cast<Peer*>(context), error);
    }
    void OnHostname(void*, IReportMessageParams* error, const Result& result) override
    {
        if (window)
            window->OnHostname(error, result);
    }

    CConnectionWindow* window;

private:
    ~Events() { --g_nLiveObjects; }

    ULONG references = 1;
};

// A connection the server accepted (or is about to): it reads into its buffer and writes the bytes back.
struct CConnectionWindow::Peer
{
    int nListener;
    VIoSocket* socket;
    IBuffer* buffer;
    bool bAccepted;
};

BEGIN_MESSAGE_MAP(CConnectionWindow, CDialog)
ON_WM_DESTROY()
ON_WM_TIMER()
ON_BN_CLICKED(IDC_CONNECT, &CConnectionWindow::OnConnectButton)
END_MESSAGE_MAP()

CConnectionWindow::CConnectionWindow() : m_pEvents(new Events(this))
{
    g_pOpen = this;
}

CConnectionWindow::~CConnectionWindow()
{
    m_pEvents->window = nullptr;
    m_pEvents->Release();
    if (g_pOpen == this)
        g_pOpen = nullptr;
}

CConnectionWindow* CConnectionWindow::Show(CWnd* pParent)
{
    if (g_pOpen == nullptr)
    {
        auto* pWindow = new CConnectionWindow;
        if (!pWindow->Create(IDD_CONNECTION, pParent))
        {
            // A creation that got as far as a window has deleted the object already.
            if (g_pOpen == pWindow)
                delete pWindow;
            return nullptr;
        }
        CRect rect;
        pWindow->GetWindowRect(&rect);
        pWindow->MoveWindow(CenteredOnMonitorUnderCursor(rect.Size()));
    }
    g_pOpen->ShowWindow(SW_SHOWNORMAL);
    g_pOpen->SetForegroundWindow();
    return g_pOpen;
}

CConnectionWindow* CConnectionWindow::GetOpen()
{
    return g_pOpen;
}

int CConnectionWindow::LiveObjects()
{
    return g_nLiveObjects;
}

BOOL CConnectionWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (StartServer())
        Connect();
    UpdateView();
    SetTimer(kViewTimer, kViewInterval, nullptr);
    return TRUE;
}

void CConnectionWindow::OnCancel()
{
    DestroyWindow();
}

void CConnectionWindow::PostNcDestroy()
{
    delete this;
}

void CConnectionWindow::OnDestroy()
{
    KillTimer(kViewTimer);
    m_bClosing = true;
    Disconnect();
    // Without their sinks, the listeners' and peers' aborted requests complete unheard.
    for (VIoSocket*& listener : m_listeners)
    {
        if (listener == nullptr)
            continue;
        listener->SetAcceptSink(nullptr);
        listener->Close();
        listener->Release();
        listener = nullptr;
    }
    while (!m_peers.empty())
        ClosePeer(m_peers.back().get());
    CDialog::OnDestroy();
}

// The server

bool CConnectionWindow::StartServer()
{
    CString hosts;
    for (int nFamily = 0; nFamily < 2; ++nFamily)
    {
        auto* listener = new Counted<VIoSocket>;
        listener->SetAcceptSink(m_pEvents);
        IInternetAddress* address = MakeLoopback(nFamily, m_nPort);
        DWORD error = address ? listener->Create(address) : static_cast<DWORD>(WSAEAFNOSUPPORT);
        if (!error)
            error = listener->Bind(nullptr, address);
        if (!error)
            error = listener->Listen(SOMAXCONN);
        if (address)
            address->Release();
        CString host;
        unsigned port = 0;
        if (!error && !listener->GetSockName(host, port))
            error = WSAENOTSOCK;
        if (error)
        {
            listener->SetAcceptSink(nullptr);
            listener->Release();
            // Without IPv6 the server still serves IPv4; without IPv4 it does not start.
            if (nFamily == 0)
            {
                m_strListening = L"Not listening: " + ErrorText(error);
                return false;
            }
            continue;
        }
        m_listeners[nFamily] = listener;
        m_nPort = static_cast<unsigned short>(port);
        hosts += (nFamily ? L" and " : L"") + host;
        AcceptNext(nFamily);
    }
    m_strListening.Format(L"%s, port %u", hosts.GetString(), static_cast<unsigned>(m_nPort));
    return true;
}

void CConnectionWindow::AcceptNext(int nListener)
{
    if (m_bClosing || m_listeners[nListener] == nullptr)
        return;
    m_peers.push_back(std::unique_ptr<Peer>(
        new Peer{nListener, new Counted<VIoSocket>, new Counted<VCountedBuffer>(kMaxMessage), false}));
    Peer* pPeer = m_peers.back().get();
    pPeer->socket->SetSink(m_pEvents);
    IInternetAddress* address = MakeLoopback(nListener, 0);
    const DWORD error = address ? pPeer->socket->Create(address) : static_cast<DWORD>(WSAEAFNOSUPPORT);
    if (address)
        address->Release();
    if (error)
        ClosePeer(pPeer);
    else
        m_listeners[nListener]->Accept(pPeer, pPeer->socket);
}

void CConnectionWindow::ClosePeer(Peer* pPeer)
{
    // Detached first, so that what Close aborts does not come back here.
    pPeer->socket->SetSink(nullptr);
    pPeer->socket->Close();
    pPeer->socket->Release();
    pPeer->buffer->Release();
    m_peers.erase(std::find_if(m_peers.begin(), m_peers.end(),
                               [pPeer](const std::unique_ptr<Peer>& peer) { return peer.get() == pPeer; }));
}

void CConnectionWindow::OnAccepted(Peer* pPeer, DWORD error)
{
    if (error)
    {
        ClosePeer(pPeer);
        return;
    }
    pPeer->bAccepted = true;
    ++m_nAccepted;
    const int on = 1;
    pPeer->socket->SetSockOpt(TCP_NODELAY, &on, sizeof(on), IPPROTO_TCP);
    pPeer->socket->Read(pPeer, pPeer->buffer);
    AcceptNext(pPeer->nListener);
}

// The client

void CConnectionWindow::Connect()
{
    if (m_pClient != nullptr || m_nPort == 0)
        return;
    m_status = Status();
    m_lastRoundTrip = Status();
    m_strResolved.Empty();
    m_nRateStart = GetTickCount64();
    m_nRateTrips = 0;
    m_dRate = -1;
    m_pClient = new Counted<VIoSocket>;
    m_pOutgoing = new Counted<VCountedBuffer>(kMaxMessage);
    m_pIncoming = new Counted<VCountedBuffer>(kMaxMessage);
    m_pClient->SetSink(m_pEvents);
    // Each message waits for its echo: small segments go out at once rather than wait for an ACK.
    const int on = 1;
    m_pClient->SetSockOpt(TCP_NODELAY, &on, sizeof(on), IPPROTO_TCP);
    m_status.state = ClientState::Resolving;
    m_pClient->CreateAndConnect(this, kHostName, m_nPort, m_pEvents);
    UpdateView();
}

void CConnectionWindow::Disconnect()
{
    if (m_pClient == nullptr)
        return;
    if (m_status.state != ClientState::Failed)
        m_status.state = ClientState::Closed;
    KillTimer(kResumeTimer);
    // The client's outstanding requests complete inside Close, with 995; then the socket is let go.
    m_pClient->Close();
    m_pClient->SetSink(nullptr);
    m_pClient->Release();
    m_pOutgoing->Release();
    m_pIncoming->Release();
    m_pClient = nullptr;
    m_pOutgoing = m_pIncoming = nullptr;
    if (!m_bClosing)
        UpdateView();
}

void CConnectionWindow::Fail(DWORD error)
{
    m_status.state = ClientState::Failed;
    m_status.error = error;
    Disconnect();
}

void CConnectionWindow::OnHostname(IReportMessageParams* error, const IHostnameResolverSink::Result& result)
{
    if (m_status.state != ClientState::Resolving || (error && error->GetMessageId() != 0) ||
        result.first == nullptr || result.first->address == nullptr)
        return; // a failure reaches the client as its connect's error
    VString text;
    m_strResolved = CString(result.first->address->ToString(text, false).GetString());
    m_status.resolvedByName = true;
    m_status.state = ClientState::Connecting;
}

void CConnectionWindow::OnConnected(DWORD error)
{
    if (m_status.state != ClientState::Resolving && m_status.state != ClientState::Connecting)
        return;
    if (error)
        return Fail(error);
    m_status.state = ClientState::Connected;
    StartRoundTrip();
}

void CConnectionWindow::StartRoundTrip()
{
    // Lengths and contents change from one round trip to the next, so a lost, doubled or misplaced byte
    // shows.
    const unsigned long long n = m_status.roundTrips;
    const unsigned length =
        kMinMessage + static_cast<unsigned>((n * 2654435761ull) % (kMaxMessage - kMinMessage + 1));
    BYTE* data = m_pOutgoing->GetData();
    for (unsigned i = 0; i < length; ++i)
        data[i] = static_cast<BYTE>(n + i * 31 + (i >> 8));
    m_pOutgoing->SetLength(length);
    m_nEchoed = 0;
    m_bWriteDone = false;
    m_pClient->Read(this, m_pIncoming);
    // Completions arrive as posted messages, which the message loop serves before input, painting and
    // timers: a client that always had a write under way would starve them. When any of them waits, the
    // write waits for a tick that comes after them (the read stays queued meanwhile).
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER)) != 0)
        SetTimer(kResumeTimer, USER_TIMER_MINIMUM, nullptr);
    else
        m_pClient->Write(this, m_pOutgoing);
}

void CConnectionWindow::OnWritten(void* context, DWORD error, unsigned bytes)
{
    if (context != this)
    {
        auto* pPeer = static_cast<Peer*>(context);
        if (error)
            ClosePeer(pPeer);
        else
            pPeer->socket->Read(pPeer, pPeer->buffer);
        return;
    }
    if (m_status.state == ClientState::Closed && error)
        m_status.error = error;
    if (m_status.state != ClientState::Connected)
        return;
    if (error)
        return Fail(error);
    m_status.bytesSent += bytes;
    m_bWriteDone = true;
    if (m_nEchoed == m_pOutgoing->GetLength())
    {
        ++m_status.roundTrips;
        m_lastRoundTrip = m_status;
        StartRoundTrip();
    }
}

void CConnectionWindow::OnRead(void* context, DWORD error, IBuffer* buffer)
{
    if (context != this)
    {
        // The server: bytes go straight back, from the same buffer; an error or the end closes the peer.
        auto* pPeer = static_cast<Peer*>(context);
        if (error || buffer->GetLength() == 0)
            ClosePeer(pPeer);
        else
            pPeer->socket->Write(pPeer, pPeer->buffer);
        return;
    }
    if (m_status.state == ClientState::Closed && error)
        m_status.error = error;
    if (m_status.state != ClientState::Connected)
        return;
    if (error)
        return Fail(error);
    const unsigned bytes = buffer->GetLength();
    if (bytes == 0)
        return Fail(ERROR_GRACEFUL_DISCONNECT);
    const unsigned expected = m_pOutgoing->GetLength();
    if (m_nEchoed + bytes > expected ||
        !std::equal(buffer->GetData(), buffer->GetData() + bytes, m_pOutgoing->GetData() + m_nEchoed))
        return Fail(ERROR_INVALID_DATA);
    m_nEchoed += bytes;
    m_status.bytesReceived += bytes;
    if (m_nEchoed < expected)
        m_pClient->Read(this, m_pIncoming);
    else if (m_bWriteDone)
    {
        ++m_status.roundTrips;
        m_lastRoundTrip = m_status;
        StartRoundTrip();
    }
}

// The view

void CConnectionWindow::OnConnectButton()
{
    if (m_pClient)
        Disconnect();
    else
        Connect();
}

void CConnectionWindow::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kResumeTimer)
    {
        KillTimer(kResumeTimer);
        if (m_status.state == ClientState::Connected)
            m_pClient->Write(this, m_pOutgoing);
        return;
    }
    if (nIDEvent != kViewTimer)
        return CDialog::OnTimer(nIDEvent);
    const ULONGLONG now = GetTickCount64();
    if (now - m_nRateStart >= 1000)
    {
        m_dRate = static_cast<double>(m_status.roundTrips - m_nRateTrips) * 1000.0 / (now - m_nRateStart);
        m_nRateStart = now;
        m_nRateTrips = m_status.roundTrips;
    }
    UpdateView();
}

void CConnectionWindow::UpdateView()
{
    const auto show = [this](int nID, const CString& text)
    { AfxSetWindowText(::GetDlgItem(m_hWnd, nID), text); };
    const size_t open = std::count_if(m_peers.begin(), m_peers.end(),
                                      [](const std::unique_ptr<Peer>& peer) { return peer->bAccepted; });
    CString text;
    text.Format(L"%u open, %u accepted", static_cast<unsigned>(open), m_nAccepted);
    show(IDC_SERVER_ADDRESS, m_strListening);
    show(IDC_SERVER_PEERS, text);

    text.Format(L"%s, port %u", CString(kHostName).GetString(), static_cast<unsigned>(m_nPort));
    show(IDC_CLIENT_HOST, text);
    show(IDC_CLIENT_RESOLVED,
         m_strResolved.IsEmpty() ? CString(L"\x2014") : m_strResolved + L", by the host's resolver");
    switch (m_status.state)
    {
    case ClientState::Idle:
        text = L"Not connected";
        break;
    case ClientState::Resolving:
        text = L"Looking up " + CString(kHostName) + L"\x2026";
        break;
    case ClientState::Connecting:
        text.Format(L"Connecting to %s\x2026", m_strResolved.GetString());
        break;
    case ClientState::Connected:
        text = L"Connected; messages of 64 bytes to 4 KiB";
        break;
    case ClientState::Closed:
        text = m_status.error ? L"Closed. The requests still queued ended with " + ErrorText(m_status.error)
                              : CString(L"Closed");
        break;
    case ClientState::Failed:
        text = L"Failed with " + ErrorText(m_status.error);
        break;
    }
    show(IDC_CLIENT_STATE, text);
    show(IDC_BYTES_SENT, Grouped(m_status.bytesSent));
    show(IDC_BYTES_RECEIVED, Grouped(m_status.bytesReceived));
    show(IDC_ROUND_TRIPS, Grouped(m_status.roundTrips));
    const bool measured = m_status.state == ClientState::Connected && m_dRate >= 0;
    show(IDC_ROUND_TRIP_RATE,
         measured ? Grouped(static_cast<unsigned long long>(m_dRate + 0.5)) : CString(L"\x2014"));
    show(IDC_CONNECT, m_pClient ? CString(L"&Disconnect") : CString(L"&Connect"));
}
