#pragma once

// State of the broker connection, in the order (and with the numbers) the
// status strip and the reconnect decision rely on.
enum ConnectionStatus : int {
    csNotConnected = 0,
    csConnectionRejected_InvalidProtocolVersion = 1,
    csConnectionRejected_InvalidIdentifier = 2,
    csConnectionRejected_ServerUnavailable = 3,
    csConnectionRejected_InvalidCredentials = 4,
    csConnectionRejected_ClientNotAuthorized = 5,
    csConnectionRejected_UnspecifiedError = 6,
    csConnectionRejected_MalformedPacket = 7,
    csConnectionRejected_ProtocolError = 8,
    csConnectionRejected_ImplementationSpecificError = 9,
    csConnectionRejected_ServerBusy = 10,
    csConnectionRejected_Banned = 11,
    csConnectionRejected_BadAuthenticationMethod = 12,
    csConnectionRejected_TopicNameInvalid = 13,
    csConnectionRejected_PacketTooLarge = 14,
    csConnectionRejected_QuotaExceeded = 15,
    csConnectionRejected_PayloadFormatInvalid = 16,
    csConnectionRejected_RetainNotSupported = 17,
    csConnectionRejected_QoSNotSupported = 18,
    csConnectionRejected_UseAnotherServer = 19,
    csConnectionRejected_ServerMoved = 20,
    csConnectionRejected_ConnectionRateExceeded = 21,
    csConnectionLost = 22,
    csAuthenticating = 23,
    csConnecting = 24,
    csReconnecting = 25,
    csConnected = 26,
    csDisconnecting = 27,
};

// True for the values that mean the broker refused the connection.
constexpr bool isRejection(ConnectionStatus s)
{
    return s >= csConnectionRejected_InvalidProtocolVersion &&
           s <= csConnectionRejected_ConnectionRateExceeded;
}
