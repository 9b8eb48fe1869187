// CConnectionWindow: the demo's Tools > Connection window. An echo server listens on the loopback addresses
// and a client connects to it by name through the host's resolver, then sends messages of 64 bytes to 4 KiB
// and checks that each comes back whole before it sends the next. The window shows both ends live.
//
//     CConnectionWindow* window = CConnectionWindow::Show(pMainWnd); // modeless; it deletes itself
//     ...
//     if (window->GetLastRoundTrip().roundTrips > 0) ...
//     window->Disconnect();
//     window->SendMessage(WM_CLOSE);                                  // closes and releases every socket
//
// Everything runs on the thread that made the window: the sockets complete their requests through its
// message loop.
#pragma once

#include "net/VIoSocket.h"

#include <afxwin.h>

#include <memory>
#include <vector>

class CConnectionWindow : public CDialog
{
public:
    enum class ClientState
    {
        Idle,
        Resolving,
        Connecting,
        Connected,
        Closed, // by Disconnect
        Failed, // by an error of the socket, the resolver or the echo
    };

    struct Status
    {
        ClientState state = ClientState::Idle;
        // The error that failed the client, or the one its outstanding requests ended with on Disconnect.
        DWORD error = 0;
        // The resolver answered with an address for the name.
        bool resolvedByName = false;
        unsigned long long bytesSent = 0;
        unsigned long long bytesReceived = 0;
        unsigned long long roundTrips = 0;
    };

    // Construction
    // Brings the open window to the front, or opens one; null when it cannot be made.
    static CConnectionWindow* Show(CWnd* pParent);
    ~CConnectionWindow() override;

    // Attributes
    static CConnectionWindow* GetOpen();
    // Sockets, buffers and sink references the windows made that are still alive: 0 once they are closed.
    static int LiveObjects();
    const Status& GetStatus() const { return m_status; }
    // The status as it was when the last round trip completed (every byte sent had then come back).
    const Status& GetLastRoundTrip() const { return m_lastRoundTrip; }
    // The address the resolver gave for the name, empty before its answer.
    const CString& GetResolvedAddress() const { return m_strResolved; }
    // Round trips per second over the last second; negative until the client has run for one.
    double GetRoundTripRate() const { return m_dRate; }

    // Operations
    void Connect();
    // Closes the client; what it had outstanding completes with 995.
    void Disconnect();

protected:
    CConnectionWindow();

    // Overridables
    BOOL OnInitDialog() override;
    void OnCancel() override;
    void PostNcDestroy() override;
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnConnectButton();
    DECLARE_MESSAGE_MAP()

private:
    class Events;
    struct Peer;

    bool StartServer();
    void AcceptNext(int nListener);
    void ClosePeer(Peer* pPeer);
    void StartRoundTrip();
    void Fail(DWORD error);
    void UpdateView();

    // The sockets' completions, passed on by the events object.
    void OnHostname(IReportMessageParams* error, const IHostnameResolverSink::Result& result);
    void OnConnected(DWORD error);
    void OnAccepted(Peer* pPeer, DWORD error);
    void OnRead(void* context, DWORD error, IBuffer* buffer);
    void OnWritten(void* context, DWORD error, unsigned bytes);

    Events* m_pEvents;
    VIoSocket* m_listeners[2] = {};
    unsigned short m_nPort = 0;
    CString m_strListening;
    std::vector<std::unique_ptr<Peer>> m_peers;
    unsigned m_nAccepted = 0;
    bool m_bClosing = false;

    VIoSocket* m_pClient = nullptr;
    IBuffer* m_pOutgoing = nullptr;
    IBuffer* m_pIncoming = nullptr;
    unsigned m_nEchoed = 0;
    bool m_bWriteDone = false;
    Status m_status;
    Status m_lastRoundTrip;
    CString m_strResolved;

    // Round trips per second, measured over about a second at a time.
    ULONGLONG m_nRateStart = 0;
    unsigned long long m_nRateTrips = 0;
    double m_dRate = -1;
};
