/// \file
/// Ids of facility 0x104: messages of the host application's table that the library produces (raises,
/// returns or reports). Their texts live in the host executable, where message lookup finds them. The
/// library's own ids are generated with its table, in PardalinMessages.h.
///
/// \code{.cpp}
/// LONG WINAPI OnException(EXCEPTION_POINTERS* info) // a vectored exception handler
/// {
///     // A string indexed out of range: carry on with the harmless result the string returns.
///     return info->ExceptionRecord->ExceptionCode == MSG_HOST_STRING_INDEX ? EXCEPTION_CONTINUE_EXECUTION
///                                                                         : EXCEPTION_CONTINUE_SEARCH;
/// }
/// \endcode
#pragma once

/// A language exception left a thread procedure; raised non-continuable with the original exception and
/// context records as its two parameters.
#define MSG_HOST_ESCAPED_LANGUAGE_EXCEPTION ((DWORD)0xE104003BL)
/// A string was indexed out of its range; raised as a continuable structured exception without
/// parameters (Str::IndexException).
#define MSG_HOST_STRING_INDEX ((DWORD)0xE104004AL)
/// A path template names a placeholder that does not exist; one insert, the placeholder.
#define MSG_HOST_UNKNOWN_PLACEHOLDER ((DWORD)0xE1040065L)
/// A path template ends in a lone '\%'.
#define MSG_HOST_LONE_PERCENT ((DWORD)0xE1040066L)

/// A socket's local or peer address is of a family that has no address class.
#define MSG_HOST_NET_UNSUPPORTED_ADDRESS_FAMILY ((DWORD)0xE1040041L)

/// \name Resolver failures
/// Network failures that a host's resolver reports through OnHostname. The socket turns each of these into
/// the Winsock code its description names, for OnConnectComplete; any other id becomes 11001
/// (WSAHOST_NOT_FOUND).
///@{

/// An argument was invalid: 10022, WSAEINVAL.
#define MSG_HOST_NET_INVALID_ARGUMENT ((DWORD)0xE1040001L)
/// The attempt timed out: 10060, WSAETIMEDOUT.
#define MSG_HOST_NET_TIMED_OUT ((DWORD)0xE1040004L)
/// Not connected: 10057, WSAENOTCONN.
#define MSG_HOST_NET_NOT_CONNECTED ((DWORD)0xE1040006L)
/// The host is unreachable: 10065, WSAEHOSTUNREACH.
#define MSG_HOST_NET_HOST_UNREACHABLE ((DWORD)0xE1040007L)
/// The connection was closed gracefully by the peer: 10101, WSAEDISCON.
#define MSG_HOST_NET_DISCONNECTED ((DWORD)0xE1040008L)
/// The address family is not supported: 10047, WSAEAFNOSUPPORT.
#define MSG_HOST_NET_FAMILY_NOT_SUPPORTED ((DWORD)0xE1040009L)
/// The connection was reset by the peer: 10054, WSAECONNRESET.
#define MSG_HOST_NET_CONNECTION_RESET ((DWORD)0xE104000AL)
/// The network is unreachable: 10051, WSAENETUNREACH.
#define MSG_HOST_NET_NETWORK_UNREACHABLE ((DWORD)0xE104000BL)
/// The connection was aborted locally: 10053, WSAECONNABORTED.
#define MSG_HOST_NET_CONNECTION_ABORTED ((DWORD)0xE104000CL)
/// The connection was refused: 10061, WSAECONNREFUSED.
#define MSG_HOST_NET_CONNECTION_REFUSED ((DWORD)0xE104000DL)
/// The address is not available: 10049, WSAEADDRNOTAVAIL.
#define MSG_HOST_NET_ADDRESS_NOT_AVAILABLE ((DWORD)0xE104000EL)
/// A temporary failure of the name service; try again: 11002, WSATRY_AGAIN.
#define MSG_HOST_NET_TRY_AGAIN ((DWORD)0xE104000FL)
/// A failure of the name service that retrying does not mend: 11003, WSANO_RECOVERY.
#define MSG_HOST_NET_NO_RECOVERY ((DWORD)0xE1040010L)
/// The name is valid but has no data of the requested type: 11004, WSANO_DATA.
#define MSG_HOST_NET_NO_DATA ((DWORD)0xE1040011L)
/// The address is already in use: 10048, WSAEADDRINUSE.
#define MSG_HOST_NET_ADDRESS_IN_USE ((DWORD)0xE1040012L)
/// The socket type is not supported: 10044, WSAESOCKTNOSUPPORT.
#define MSG_HOST_NET_SOCKET_TYPE_NOT_SUPPORTED ((DWORD)0xE1040013L)
/// Memory ran out: 8, ERROR_NOT_ENOUGH_MEMORY.
#define MSG_HOST_NET_OUT_OF_MEMORY ((DWORD)0xE1040014L)
/// The class type was not found: 10109, WSATYPE_NOT_FOUND.
#define MSG_HOST_NET_TYPE_NOT_FOUND ((DWORD)0xE1040015L)
/// The network is down: 10050, WSAENETDOWN.
#define MSG_HOST_NET_NETWORK_DOWN ((DWORD)0xE1040033L)
/// No buffer space is available: 10055, WSAENOBUFS.
#define MSG_HOST_NET_NO_BUFFERS ((DWORD)0xE1040034L)
/// The socket was shut down: 10058, WSAESHUTDOWN.
#define MSG_HOST_NET_SHUT_DOWN ((DWORD)0xE1040035L)
///@}
/// The name has no address (also an empty name); deliberately none of the resolver failures, so that the
/// socket reports it as 11001 (WSAHOST_NOT_FOUND). One insert, the name.
#define MSG_HOST_NET_HOST_NOT_FOUND ((DWORD)0xE1040002L)

/// A PFX file is larger than 4 GiB - 1 bytes.
#define MSG_HOST_PFX_TOO_LARGE ((DWORD)0xE104004EL)
/// A certificate could not be loaded; inserts: the path, the single-line text of the reason.
#define MSG_HOST_CERTIFICATE_NOT_LOADED ((DWORD)0xE104004FL)
/// A certificate was loaded (an informational id); insert: the path.
#define MSG_HOST_CERTIFICATE_LOADED ((DWORD)0x61040050L)
/// A certificate path does not load.
#define MSG_HOST_CERTIFICATE_PATH_INVALID ((DWORD)0xE1040074L)

/// The default printer has no device context; for the margin check.
#define MSG_HOST_PRINTER_DC_FAILED ((DWORD)0xE1040043L)
/// There is no default printer; for the margin check.
#define MSG_HOST_NO_DEFAULT_PRINTER ((DWORD)0xE1040044L)
