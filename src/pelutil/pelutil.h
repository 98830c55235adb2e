/* Stand-in for the router maker's utility library: router-side commands (service switch, WAN
 * address, API level, dynamic DNS) behind the maker's C interface.
 *
 * Protocol to the router. Each command is one HTTP/1.1 exchange on the address given to
 * PELUtil_HostAddress (plain TCP, or TLS without certificate verification when the https flag is
 * 1, because routers carry self-signed certificates):
 *
 *     POST /pelutil.cgi HTTP/1.1
 *     Host: <host>:<port>
 *     Authorization: Basic <Base64 of user ":" password>
 *     Content-Type: text/plain
 *     Content-Length: <n>
 *     Connection: close
 *
 *     <VERB> [argument]\n
 *
 * The reply body is one line: "OK" followed by values separated by blanks, or "ERR <code> <text>";
 * a 401 status means the account was rejected. Verbs: AUTH, TRACK, WANCONFIG (reply: WAN, mask,
 * gateway, two DNS servers, dotted), APILEVEL (reply: one digit), DDNSSERVICE <0|1> <host>,
 * DDNSCONFIG <one-line JSON>, RESTART, ENABLEFV <0|1>.
 *
 * The environment variable PELUTIL_PORT, when it holds a port number, replaces the port given to
 * PELUtil_HostAddress (for test and demo routers that cannot listen on port 80). PELUtil_Debug(1)
 * writes one line per command to standard error when PELUTIL_LOG is set; passwords never appear.
 *
 * Results: 0 is success; negative values are the PELUTIL_E_* errors below. Every function checks
 * its handle and pointers; a bad argument returns an error and never crashes. The functions may
 * be called from any thread; the event callback runs on the calling thread. */
#ifndef FV_PELUTIL_H
#define FV_PELUTIL_H

#include <stddef.h>
#include <stdint.h>

#if defined(PELUTIL_BUILDING)
#define PELUTIL_API __attribute__((visibility("default")))
#else
#define PELUTIL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PelUtilHandle* PELHANDLE;

/* Tracking events: PELUTIL_EVENT_CONNECTING, _CONNECTED, _CLOSING with a text; the closing
 * event's text always contains "Closing". */
typedef void (*PELUTIL_EVENT_CALLBACK)(int event, int status, const char* text, int reserved,
                                       void* context);

enum {
    PELUTIL_OK = 0,
    PELUTIL_E_ARGUMENT = -1, /* null pointer, empty text, buffer too short, bad value */
    PELUTIL_E_HANDLE = -2,   /* not a handle of this library, or already freed */
    PELUTIL_E_NO_HOST = -3,  /* PELUtil_HostAddress was not called */
    PELUTIL_E_NETWORK = -4,  /* no connection, time-out, TLS failure, garbled reply */
    PELUTIL_E_ACCOUNT = -5,  /* the router rejected the account */
    PELUTIL_E_REFUSED = -6   /* the router answered the command with an error */
};

enum { PELUTIL_EVENT_CONNECTING = 1, PELUTIL_EVENT_CONNECTED = 2, PELUTIL_EVENT_CLOSING = 3 };

#define PELUTIL_INET_TEXT_SIZE 16 /* "255.255.255.255" and its terminator */
#define PELUTIL_API_LEVEL_SIZE 2  /* one digit and its terminator */

/* Returns a new handle (null on failure). The three numbers are reserved and must be 0; context
 * is handed to the event callback. */
PELUTIL_API PELHANDLE PELUtil_Init(int reserved1, int reserved2, int reserved3, void* context);
PELUTIL_API int PELUtil_FreeHandle(PELHANDLE handle);
PELUTIL_API int PELUtil_Debug(int on);
PELUTIL_API int PELUtil_HostAddress(PELHANDLE handle, const char* host, int port, uint8_t https);
/* 0 when the router accepts the account. */
PELUTIL_API int PELUtil_Authorization(PELHANDLE handle, const char* user, const char* password);
/* callback may be null (no events). */
PELUTIL_API int PELUtil_HTTPTrackEvent(PELHANDLE handle, PELUTIL_EVENT_CALLBACK callback);
/* on = 1: opens a tracked exchange with the router, reporting connecting, connected and closing.
 * on = 0: only reports closing. */
PELUTIL_API int PELUtil_HTTPTrack(PELHANDLE handle, int on);
/* The WAN address as a number whose most significant byte is the first octet. */
PELUTIL_API int PEL_RT_GetDetectWanIPConfig(PELHANDLE handle, uint32_t* wanAddress, uint32_t* mask,
                                            uint32_t* gateway, uint32_t* dns1, uint32_t* dns2);
/* text needs PELUTIL_INET_TEXT_SIZE bytes; use the _s form when the size is not fixed. */
PELUTIL_API int PELUtil_InetNtoA(uint32_t address, char* text);
PELUTIL_API int PELUtil_InetNtoA_s(uint32_t address, char* text, size_t size);
/* level needs PELUTIL_API_LEVEL_SIZE bytes; receives one character and a terminator. */
PELUTIL_API int PEL_RT_GetDomiraAPILevelExt(PELHANDLE handle, char* level);
PELUTIL_API int PEL_RT_GetDomiraAPILevelExt_s(PELHANDLE handle, char* level, size_t size);
PELUTIL_API int PEL_RT_SetDDNSService(PELHANDLE handle, uint8_t enable, const char* hostName);
PELUTIL_API int PEL_RT_SetDDNSConfig(PELHANDLE handle, const char* json);
PELUTIL_API int PEL_RT_RestartService(PELHANDLE handle);
PELUTIL_API int PEL_RT_EnableFerrovane(PELHANDLE handle, int enable);

#ifdef __cplusplus
}
#endif

#endif /* FV_PELUTIL_H */
