/*
 * prt.h - the Prt family: printer handles, ports, raw data and messages.
 *
 * Shared by libheron (TSPL, heron.h) and libpelican (CPCL, pelican.h); each
 * library carries its own copy of these functions and its own model table.
 * Include heron.h or pelican.h rather than this file.
 *
 * Result codes: 0 is success, negative values are the PRT_ERR_* codes
 * below or port-library codes (RAVO_IO_ERR_*, -300 ... -373 and
 * -1100 ... -1199, see ravoio.h), positive values are operating-system
 * error numbers (errno).  PrtFormatErrorA/W turn any of them into English
 * or Chinese text.
 *
 * Every function may also return PRT_ERR_OUT_OF_MEMORY when an allocation
 * fails and PRT_ERR_INTERNAL for a fault inside the library; no exception
 * leaves a library.  The @return lines below list the other codes.
 *
 * Text: "A" functions take 8-bit text in the system code page (the
 * RAVO_ACP environment variable names it, else the locale decides);
 * "W" functions take NUL-terminated UTF-16.
 *
 * Threads: one handle serves one thread at a time.  Distinct handles and
 * the message functions may be used concurrently.
 */
#ifndef RAVO_PRT_H
#define RAVO_PRT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(PRT_BUILD)
#define PRT_API __attribute__((visibility("default")))
#else
#define PRT_API
#endif

/** One UTF-16 code unit. */
typedef uint16_t PrtWChar;

/** Opaque printer handle, owned by the caller from creation to destruction. */
typedef struct PrtPrinter *PrtHandle;

/** Value of a live printer object's signature field. */
#define PRT_PRINTER_SIGNATURE 528

/** Capability bits of a model. */
#define PRT_CAP_TSPL 0x02u
#define PRT_CAP_CPCL 0x40u

/** Result codes raised by the libraries themselves. */
#define PRT_SUCCESS 0
#define PRT_ERR_PARAMETER (-1)          /**< an argument is null or out of range */
#define PRT_ERR_BUFFER_TOO_SMALL (-2)   /**< caller's or command buffer too small */
#define PRT_ERR_WRONG_PRINTER_TYPE (-3) /**< the model does not speak this language */
#define PRT_ERR_INVALID_HANDLE (-6)     /**< null, destroyed or foreign handle */
#define PRT_ERR_UNKNOWN_MODEL (-8)      /**< model name not in the model table */
#define PRT_ERR_OUT_OF_MEMORY (-9)      /**< an allocation failed */
#define PRT_ERR_IMAGE_LOAD                                                              \
  (-21)                              /**< image cannot be decoded, or the path names no \
                                          regular file (FIFO, socket, device) */
#define PRT_ERR_IMAGE_SIZE (-25)     /**< image empty or wider than the model prints */
#define PRT_ERR_INTERNAL (-100)      /**< a fault inside the library; the call did not finish */
#define PRT_ERR_PORT_NOT_OPEN (-309) /**< the handle's port is not open */
#define PRT_ERR_READ_TIMEOUT (-332)  /**< terminating byte did not arrive */

/* ---- Printer handles ------------------------------------------------- */

/**
 * Creates a handle for the model named exactly (case-sensitive) as a row of
 * the model table; "unknown" names the generic row.
 * @param out   receives the handle; set to NULL first.
 * @param model 8-bit model name.
 * @return PRT_SUCCESS; PRT_ERR_PARAMETER when out is NULL;
 *         PRT_ERR_UNKNOWN_MODEL when model is NULL or names no row;
 *         PRT_ERR_OUT_OF_MEMORY (*out stays NULL).
 */
PRT_API int32_t PrtPrinterCreatorA(PrtHandle *out, const char *model);

/**
 * As PrtPrinterCreatorA with a UTF-16 model name, converted to the system
 * code page first.
 * @return as PrtPrinterCreatorA; also PRT_ERR_UNKNOWN_MODEL for a name
 *         the code page cannot hold.
 */
PRT_API int32_t PrtPrinterCreatorW(PrtHandle *out, const PrtWChar *model);

/** As PrtPrinterCreatorA.
 *  @return the handle, or NULL on any failure. */
PRT_API PrtHandle PrtPrinterCreatorS(const char *model);

/**
 * Frees the handle and its port object (the port's close operation is not
 * called first; destroying the port object closes the connection).
 * @return PRT_SUCCESS, or PRT_ERR_INVALID_HANDLE (NULL, destroyed or
 *         foreign handle; nothing is freed).
 */
PRT_API int32_t PrtPrinterDestroy(PrtHandle handle);

/* ---- Ports ------------------------------------------------------------ */

/**
 * Opens a port described by a port string (grammar in ravoio.h).  Any port
 * the handle held is destroyed first.  A port whose open failed stays
 * attached until the next open or destruction.
 * @return PRT_SUCCESS; PRT_ERR_INVALID_HANDLE; PRT_ERR_PARAMETER when port
 *         is NULL; or the port library's code from creating or opening the
 *         port (RAVO_IO_ERR_INVALID_SETTING, RAVO_IO_ERR_CONNECT ...).
 */
PRT_API int32_t PrtPortOpenA(PrtHandle handle, const char *port);

/** As PrtPortOpenA with a UTF-16 port string.
 *  @return as PrtPortOpenA; PRT_ERR_PARAMETER also when the string cannot
 *          be converted or is longer than 254 bytes in the system code
 *          page. */
PRT_API int32_t PrtPortOpenW(PrtHandle handle, const PrtWChar *port);

/** Closes the port.
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, or PRT_ERR_PORT_NOT_OPEN
 *          when it is not open. */
PRT_API int32_t PrtPortClose(PrtHandle handle);

/* ---- Raw data ----------------------------------------------------------- */

/**
 * Writes length bytes to the open port.  On failure some of the bytes may
 * have gone out; the caller cannot tell how many, so a raw write is not
 * repeated blindly (the command functions keep track themselves).
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_PARAMETER (data NULL with length > 0, or length < 0), or
 *         the port's write code (RAVO_IO_ERR_WRITE, RAVO_IO_ERR_WRITE_TIMEOUT
 *         ...).
 */
PRT_API int32_t PrtWriteData(PrtHandle handle, const uint8_t *data, int32_t length);

/**
 * Reads what arrives within the port's read timeout, at most length bytes.
 * @param received set to 0 first, then to the number of bytes read.
 * @return PRT_SUCCESS (0 bytes is a valid answer), PRT_ERR_INVALID_HANDLE,
 *         PRT_ERR_PORT_NOT_OPEN, PRT_ERR_PARAMETER (received NULL, length
 *         < 0, buffer NULL with length > 0), or the port's read code
 *         (RAVO_IO_ERR_READ ...).
 */
PRT_API int32_t PrtReadData(PrtHandle handle, uint8_t *buffer, int32_t length, int32_t *received);

/**
 * Reads until a terminating byte.  Bytes are stored from buffer[start] on,
 * at most end - start of them.  With beginByte != 0, bytes before the
 * first beginByte are skipped (that byte is not stored).  The endByte is
 * stored too.  At most 11 non-waiting reads, 20 ms apart; each takes what
 * has arrived, up to end - start bytes.  Memory use does not depend on
 * end - start.
 * @param stored number of bytes stored (also on failure).
 * @return PRT_SUCCESS when endByte arrived; PRT_ERR_READ_TIMEOUT when it
 *         did not; the port's code when a read failed;
 *         PRT_ERR_INVALID_HANDLE; PRT_ERR_PORT_NOT_OPEN; PRT_ERR_PARAMETER
 *         (NULL pointer, end < start, negative start).
 */
PRT_API int32_t PrtReadDataEOF(PrtHandle handle, uint8_t *buffer, int32_t start, int32_t end,
                               uint8_t beginByte, uint8_t endByte, int32_t *stored);

/* ---- Messages ------------------------------------------------------------ */

/**
 * Writes the message for code at buffer + offset in the 8-bit form:
 * English in ASCII, Chinese in GBK.  The bytes from offset to size - 1 are
 * zeroed first; a message that does not fit with its terminator leaves
 * them zeroed.
 * @param language primary language id: 4 = Chinese, anything else English,
 *        0 = the user's language (LC_ALL, LC_MESSAGES, LANG).
 * @return for code <= 0 the code itself; for code > 0 (errno values,
 *         formatted by strerror) PRT_SUCCESS when text was written, else
 *         ERANGE.  PRT_ERR_PARAMETER when buffer is NULL or offset is
 *         outside 0 ... size.
 */
PRT_API int32_t PrtFormatErrorA(int32_t code, int32_t language, char *buffer, int32_t offset,
                                int32_t size);

/**
 * As PrtFormatErrorA in UTF-16.  offset and size count bytes: the area from
 * byte offset on is zeroed for (size - offset) rounded down to even, and
 * holds (size - offset) / 2 code units.  The text is correct whatever the
 * system code page is.
 * @return as PrtFormatErrorA.
 */
PRT_API int32_t PrtFormatErrorW(int32_t code, int32_t language, PrtWChar *buffer, int32_t offset,
                                int32_t size);

#ifdef __cplusplus
}
#endif

#endif /* RAVO_PRT_H */
