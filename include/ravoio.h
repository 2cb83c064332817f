/*
 * ravoio.h - the port library: one record of operations for every way a
 * printer is reached (USB, serial, parallel, raw TCP).
 *
 * A caller turns a port string into a port object with
 * ravo_io_port_creator(), calls the object's operations, and releases it
 * with ravo_io_port_destroy().  Every operation returns a 32-bit result:
 * RAVO_IO_OK on success, otherwise one of the RAVO_IO_ERR_* codes below
 * (or RAVO_IO_ERR_LIBUSB_BASE + e for libusb error e on a USB port).  Any
 * call may also return RAVO_IO_ERR_OUT_OF_MEMORY when an allocation fails
 * and RAVO_IO_ERR_INTERNAL for a fault inside the library; no exception
 * leaves the library.
 *
 * Port strings (case-insensitive keywords, no blanks):
 *
 *   NET,host[:port]          raw TCP; port 9100 when omitted
 *   USB                      first USB printer-class device
 *   USB,VID_xxxx&PID_yyyy    one device by hexadecimal vendor/product id
 *   USB,VID_xxxx&PID_yyyy&SN_serial   ids and serial number together
 *   USB,SN_serial            one device by serial number
 *   COMn[,BAUDRATE_b]        serial port n = /dev/ttyS(n-1), n = 1 ... 256
 *   ttyname[,BAUDRATE_b]     serial device /dev/ttyname (ttyUSB0, ttyACM1)
 *   /path,BAUDRATE_b         serial device by absolute path
 *   LPTn                     parallel port n = /dev/lp(n-1), n = 1 ... 64
 *   /path                    parallel (write-only) device, FIFO or file
 *
 * Baud rates: 4800, 9600 (the default), 19200, 38400, 57600, 115200; any
 * other gives RAVO_IO_ERR_BAUDRATE.  Serial ports run 8N1 without flow control.  An absolute
 * path is a serial device when BAUDRATE_ follows it, else a parallel one.
 *
 * The USB port claims the device's first printer-class interface (detaching
 * the kernel's printer driver until close) and writes to its bulk OUT
 * endpoint in transfers of at most 64 KiB, reads from its bulk IN endpoint.
 * "USB" and a selector that several devices match take the first in bus
 * order (bus, hub ports, address), the order ravo_io_enum_usb_printers()
 * lists them in.  No such device: RAVO_IO_ERR_USB_NOT_FOUND; the interface
 * claimed by another program: RAVO_IO_ERR_USB_BUSY; no access:
 * RAVO_IO_ERR_LIBUSB_BASE - 3 (see the README on device permissions); the
 * device unplugged, also during a write: RAVO_IO_ERR_LIBUSB_BASE - 4 at once.
 *
 * Options may follow the address, separated by commas:
 *
 *   TIMEOUT_ms    how long read() waits for the first byte (default 1000)
 *   WTIMEOUT_ms   how long write() may take in all (default 5000)
 *   CTIMEOUT_ms   how long a network connect may take (default 3000)
 *
 * Values are decimal milliseconds up to 600000.  Every transport honours
 * TIMEOUT_ and WTIMEOUT_ (a write that runs out of time gives
 * RAVO_IO_ERR_WRITE_TIMEOUT with the bytes moved so far in its count);
 * CTIMEOUT_ concerns NET only (RAVO_IO_ERR_CONNECT).
 * readChunk() never waits (USB: at most 1 ms, the least libusb allows).
 * Parallel ports cannot answer: read() and readChunk() give 0 bytes at once.
 *
 * Example: "NET,127.0.0.1:9101,TIMEOUT_200".
 *
 * Threads: one port object serves one thread at a time; distinct objects
 * are independent.  No operation blocks longer than its timeout (close():
 * the read timeout).
 */
#ifndef RAVOIO_H
#define RAVOIO_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(RAVOIO_BUILD)
#define RAVOIO_API __attribute__((visibility("default")))
#else
#define RAVOIO_API
#endif

/** Result codes of the port library. */
enum {
  RAVO_IO_OK = 0,
  RAVO_IO_ERR_BUFFER_TOO_SMALL = -2,  /**< caller's list buffer too small */
  RAVO_IO_ERR_OUT_OF_MEMORY = -9,     /**< an allocation failed */
  RAVO_IO_ERR_INTERNAL = -100,        /**< a fault inside the library; the call did not finish */
  RAVO_IO_ERR_IO = -300,              /**< generic port error */
  RAVO_IO_ERR_INVALID_SETTING = -301, /**< port string not understood */
  RAVO_IO_ERR_NAME_TOO_LONG = -302,   /**< port string longer than RAVO_IO_MAX_NAME */
  RAVO_IO_ERR_INVALID_HANDLE = -308,  /**< null or foreign port object */
  RAVO_IO_ERR_NOT_OPEN = -309,        /**< operation needs an open port */
  RAVO_IO_ERR_ALREADY_OPEN = -310,    /**< open() on an open port */
  RAVO_IO_ERR_OPEN_FAILED = -311,     /**< device could not be opened */
  RAVO_IO_ERR_GET_ATTR = -312,        /**< serial attributes could not be read */
  RAVO_IO_ERR_SET_ATTR = -313,        /**< serial attributes could not be set */
  RAVO_IO_ERR_WRITE = -321,           /**< write failed (peer gone, device error) */
  RAVO_IO_ERR_WRITE_TIMEOUT = -322,   /**< write did not finish in time */
  RAVO_IO_ERR_READ = -331,            /**< read failed (device error) */
  RAVO_IO_ERR_READ_TIMEOUT = -332,    /**< no answer in time */
  RAVO_IO_ERR_FLUSH = -341,           /**< discarding buffered input failed */
  RAVO_IO_ERR_BAUDRATE = -351,        /**< baud rate outside 4800 ... 115200 */
  RAVO_IO_ERR_CONNECT = -352,         /**< network connect failed or timed out */
  RAVO_IO_ERR_HANDSHAKE = -361,       /**< unsupported serial handshake */
  RAVO_IO_ERR_USB_PATH = -371,        /**< USB selector not understood */
  RAVO_IO_ERR_USB_NOT_FOUND = -372,   /**< no matching USB printer */
  RAVO_IO_ERR_USB_BUSY = -373,        /**< USB interface claimed elsewhere */
  RAVO_IO_ERR_LIBUSB_BASE = -1100     /**< libusb error e maps to -1100 + e (e < 0) */
};

/** Longest port string accepted, in bytes without the terminator. */
#define RAVO_IO_MAX_NAME 255

typedef struct IoPort IoPort;

/**
 * The port object.  The library fills every entry; callers only call them.
 * Every entry takes the object itself first and returns
 * RAVO_IO_ERR_INVALID_HANDLE when it is NULL or its impl is NULL.  For
 * write, read and readChunk the third argument is an offset into the
 * caller's buffer (callers of this system pass 0); the last argument
 * (may be NULL) receives the number of bytes moved and is set to 0 first.
 */
struct IoPort {
  /** Connects or opens the device.
   *  @return RAVO_IO_OK, RAVO_IO_ERR_ALREADY_OPEN, or the transport's
   *          failure: RAVO_IO_ERR_CONNECT (NET), RAVO_IO_ERR_OPEN_FAILED,
   *          RAVO_IO_ERR_GET_ATTR, RAVO_IO_ERR_SET_ATTR, RAVO_IO_ERR_IO
   *          (serial port locked by another owner), RAVO_IO_ERR_USB_NOT_FOUND,
   *          RAVO_IO_ERR_USB_BUSY or a libusb code (USB). */
  int32_t (*open)(IoPort *port);
  /** Closes the connection.  A network port first marks the end of the
   *  data and waits, at most the read timeout, until the printer has
   *  received every byte written (or closed its side), reading and
   *  dropping what the printer still sends: closing with an unread answer
   *  would reset the connection and lose the end of the job.
   *  ravo_io_port_destroy() on an open port closes it the same way.
   *  @return RAVO_IO_OK, or RAVO_IO_ERR_NOT_OPEN on a closed port (no
   *          harm done). */
  int32_t (*close)(IoPort *port);
  /** Discards input that arrived but was not read yet.
   *  @return RAVO_IO_OK, RAVO_IO_ERR_NOT_OPEN or RAVO_IO_ERR_FLUSH. */
  int32_t (*flush)(IoPort *port);
  /** Sets the read and write timeouts in milliseconds (0 keeps a value).
   *  @return RAVO_IO_OK. */
  int32_t (*set_timeouts)(IoPort *port, uint32_t read_ms, uint32_t write_ms);
  /** Number of bytes that can be read without waiting (0 when unknown).
   *  @return RAVO_IO_OK, RAVO_IO_ERR_NOT_OPEN, or RAVO_IO_ERR_INVALID_SETTING
   *          when count is NULL. */
  int32_t (*bytes_waiting)(IoPort *port, uint32_t *count);
  /** What the port string named.
   *  @return one of RAVO_IO_KIND_* (open or not). */
  int32_t (*kind)(IoPort *port);
  /** Writes all length bytes or fails; a 0-byte write succeeds at once.
   *  *written is the number of bytes the port took, also when the write
   *  fails: those bytes are on their way to the printer and must not be
   *  sent again; a caller that retries sends data + *written onwards.
   *  @return RAVO_IO_OK; RAVO_IO_ERR_NOT_OPEN; RAVO_IO_ERR_INVALID_SETTING
   *          (data NULL with length > 0); RAVO_IO_ERR_WRITE_TIMEOUT when the
   *          write timeout ran out (part may have gone); RAVO_IO_ERR_WRITE
   *          when the peer or device failed; a libusb code (USB). */
  int32_t (*write)(IoPort *port, const uint8_t *data, uint32_t offset, uint32_t length,
                   uint32_t *written);
  /** Waits up to the read timeout for the first byte, then returns what has
   *  arrived (at most length bytes).
   *  @return RAVO_IO_OK, also when nothing arrived in time (*received = 0);
   *          RAVO_IO_ERR_NOT_OPEN; RAVO_IO_ERR_INVALID_SETTING (buffer NULL
   *          with length > 0); RAVO_IO_ERR_READ when the peer or device
   *          failed; a libusb code (USB). */
  int32_t (*read)(IoPort *port, uint8_t *buffer, uint32_t offset, uint32_t length,
                  uint32_t *received);
  /** Returns what has arrived right now, without waiting (0 bytes allowed).
   *  @return as read. */
  int32_t (*readChunk)(IoPort *port, uint8_t *buffer, uint32_t offset, uint32_t length,
                       uint32_t *received);
  /** Owned by the library; callers never touch it. */
  void *impl;
};

/** Values of IoPort::kind. */
enum {
  RAVO_IO_KIND_NET = 1,
  RAVO_IO_KIND_USB = 2,
  RAVO_IO_KIND_SERIAL = 3,
  RAVO_IO_KIND_PARALLEL = 4
};

/**
 * Parses name and stores a new, closed port object at *port.  On failure
 * *port is set to NULL.
 * @return RAVO_IO_OK; RAVO_IO_ERR_INVALID_SETTING (not understood, or name
 *         is NULL); RAVO_IO_ERR_NAME_TOO_LONG (longer than
 *         RAVO_IO_MAX_NAME); RAVO_IO_ERR_BAUDRATE; RAVO_IO_ERR_USB_PATH (bad
 *         USB selector); RAVO_IO_ERR_INVALID_HANDLE (port is NULL);
 *         RAVO_IO_ERR_OUT_OF_MEMORY.
 */
RAVOIO_API int32_t ravo_io_port_creator(IoPort **port, const char *name);

/**
 * Closes the port if open and frees it.
 * @return RAVO_IO_OK; RAVO_IO_ERR_INVALID_HANDLE when port is NULL or its
 *         impl is NULL (nothing is freed).  Any other record must be one
 *         ravo_io_port_creator made and not yet destroyed.
 */
RAVOIO_API int32_t ravo_io_port_destroy(IoPort *port);

/*
 * Port lists.  Both functions below write into a buffer the caller owns:
 * every name ends with a NUL byte and one more NUL byte ends the list, so an
 * empty list is a single NUL.  *needed receives the bytes the list takes
 * (terminators included) and *count the number of names; either pointer may
 * be NULL.  When buffer is NULL or size is smaller than *needed, the result
 * is RAVO_IO_ERR_BUFFER_TOO_SMALL and nothing is written: call again with a
 * buffer of *needed bytes (the list may change between the two calls).
 */

/**
 * Lists the ports of one kind present now, in the form a port dialog shows
 * them (the name without its colon is a port string):
 *   "COM"   serial ports: "COM1:" for /dev/ttyS0, "ttyUSB0:" for
 *           /dev/ttyUSB0, "/dev/path:" for any other device;
 *   "LPT"   parallel ports: "LPT1:" for /dev/lp0;
 *   "TCPIP" none (network printers are not discovered).
 * kind is compared without regard to case.
 * @return RAVO_IO_OK, RAVO_IO_ERR_BUFFER_TOO_SMALL (see above),
 *         RAVO_IO_ERR_INVALID_SETTING (kind NULL or unknown) or
 *         RAVO_IO_ERR_IO (the serial port list failed).
 */
RAVOIO_API int32_t ravo_io_enum_ports(const char *kind, char *buffer, uint32_t size,
                                      uint32_t *needed, uint32_t *count);

/**
 * Lists the USB printer-class devices attached now as port strings,
 * "USB,VID_xxxx&PID_yyyy", followed by "&SN_serial" when the device's
 * serial number could be read (it needs access to the device) and fits a
 * port string.  In bus order: the first is the one "USB" opens.
 * @return RAVO_IO_OK, RAVO_IO_ERR_BUFFER_TOO_SMALL (see above) or
 *         RAVO_IO_ERR_LIBUSB_BASE + libusb error.
 */
RAVOIO_API int32_t ravo_io_enum_usb_printers(char *buffer, uint32_t size, uint32_t *needed,
                                             uint32_t *count);

#ifdef __cplusplus
}
#endif

#endif /* RAVOIO_H */
