/*
 * heron.h - libheron: TSPL label printers.
 *
 * The Prt family (handles, ports, raw data, messages) is declared in prt.h
 * and documented there.  Link with -lheron (pkg-config heron, or CMake
 * find_package(Heron) and the target Heron::heron).
 *
 * Every TSPL_ command turns its arguments into TSPL command text, appends
 * it to the handle's command buffer and writes the buffer to the open port
 * in the same call.  The checks run in this order, and the first failure is
 * returned with nothing sent:
 *
 *   -6   (PRT_ERR_INVALID_HANDLE)      null, destroyed or foreign handle
 *   -309 (PRT_ERR_PORT_NOT_OPEN)       the handle's port is not open
 *   -3   (PRT_ERR_WRONG_PRINTER_TYPE)  the model does not speak TSPL
 *   -1   (PRT_ERR_PARAMETER)           an argument out of range, or a NULL
 *                                      text pointer
 *   -2   (PRT_ERR_BUFFER_TOO_SMALL)    the command text is longer than its
 *                                      working area (254 bytes; 509 for
 *                                      TSPL_BarCode, 1019 for TSPL_QrCode)
 *                                      or the command buffer's free room
 *
 * After that the buffer is written; the port's code (RAVO_IO_ERR_WRITE,
 * RAVO_IO_ERR_WRITE_TIMEOUT ...) is returned when the write fails.  The
 * bytes the port did not take stay in the buffer and go out ahead of the
 * next command that succeeds; the ones it took are not sent again, so the
 * printer receives every byte once.  Any call may also return
 * PRT_ERR_OUT_OF_MEMORY or PRT_ERR_INTERNAL (see prt.h).
 *
 * Units: positions, sizes, thicknesses and feed lengths are printer dots;
 * the label size, gap and offset are whole millimetres.  Rotations accept
 * 0, 90, 180 and 270; any other value is sent as 0.  Text arguments are
 * 8-bit (system code page) and sent byte for byte; quotation marks inside
 * them are not escaped.
 */
#ifndef RAVO_HERON_H
#define RAVO_HERON_H

#include "prt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Value returned by TSPL_GetDllVersion. */
#define TSPL_DLL_VERSION 1003

/** Size of the serial-number area that TSPL_GetSN fills. */
#define TSPL_SN_SIZE 32

/** Bar-code types of TSPL_BarCode (the TSPL symbology name in the comment). */
enum {
  TSPL_BARCODE_128 = 0,      /**< "128" */
  TSPL_BARCODE_128M = 1,     /**< "128M" */
  TSPL_BARCODE_EAN128 = 2,   /**< "EAN128" */
  TSPL_BARCODE_25 = 3,       /**< "25" */
  TSPL_BARCODE_25C = 4,      /**< "25C" */
  TSPL_BARCODE_39 = 5,       /**< "39" */
  TSPL_BARCODE_39C = 6,      /**< "39C" */
  TSPL_BARCODE_39S = 7,      /**< "39S" */
  TSPL_BARCODE_93 = 8,       /**< "93" */
  TSPL_BARCODE_EAN13 = 9,    /**< "EAN13" */
  TSPL_BARCODE_EAN13_2 = 10, /**< "EAN13+2" */
  TSPL_BARCODE_EAN13_5 = 11, /**< "EAN13+5" */
  TSPL_BARCODE_EAN8 = 12,    /**< "EAN8" */
  TSPL_BARCODE_EAN8_2 = 13,  /**< "EAN8+2" */
  TSPL_BARCODE_EAN8_5 = 14,  /**< "EAN8+5" */
  TSPL_BARCODE_CODA = 15,    /**< "CODA" */
  TSPL_BARCODE_POST = 16,    /**< "POST" */
  TSPL_BARCODE_UPCA = 17,    /**< "UPCA" */
  TSPL_BARCODE_UPCA_2 = 18,  /**< "UPCA+2" */
  TSPL_BARCODE_UPCA_5 = 19,  /**< "UPCA+5" */
  TSPL_BARCODE_UPCE = 20,    /**< "UPCE" */
  TSPL_BARCODE_UPCE_2 = 21,  /**< "UPCE+2" */
  TSPL_BARCODE_UPCE_5 = 22,  /**< "UPCE+5" */
  TSPL_BARCODE_CPOST = 23,   /**< "CPOST" */
  TSPL_BARCODE_MSI = 24,     /**< "MSI" */
  TSPL_BARCODE_MSIC = 25,    /**< "MSIC" */
  TSPL_BARCODE_PLESSEY = 26, /**< "PLESSEY" */
  TSPL_BARCODE_ITF14 = 27,   /**< "ITF14" */
  TSPL_BARCODE_EAN14 = 28,   /**< "EAN14" */
  TSPL_BARCODE_11 = 29       /**< "11" */
};

/** Sends "SELFTEST": the printer prints its self-test page.
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE or the port's code. */
PRT_API int32_t TSPL_SelfTest(PrtHandle handle);

/**
 * Sends the four label-setup lines SIZE, SPEED, DENSITY and GAP in one
 * write, e.g. 40, 30, 4, 6, 2, 0 gives
 * "SIZE 40mm,30mm", "SPEED 4", "DENSITY 6", "GAP 2mm,0mm".
 * @param width, height  label size in mm.
 * @param speed          print speed 1..7, else PRT_ERR_PARAMETER.
 * @param density        print darkness 0..6, else PRT_ERR_PARAMETER.
 * @param gap, gapOffset gap between labels and its offset in mm.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER,
 *         PRT_ERR_BUFFER_TOO_SMALL or the port's code.  The lines are checked
 *         one after the other: lines before a failing one stay in the buffer
 *         and are sent ahead of the next successful command.
 */
PRT_API int32_t TSPL_Setup(PrtHandle handle, int32_t width, int32_t height, int32_t speed,
                           int32_t density, int32_t gap, int32_t gapOffset);

/** Sends "CLS": clears the printer's image buffer.
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE or the port's code. */
PRT_API int32_t TSPL_ClearBuffer(PrtHandle handle);

/** Sends "BOX xStart,yStart,xEnd,yEnd,thickness" (all in dots, unchecked).
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_BUFFER_TOO_SMALL or the port's
 *          code. */
PRT_API int32_t TSPL_Box(PrtHandle handle, int32_t xStart, int32_t yStart, int32_t xEnd,
                         int32_t yEnd, int32_t thickness);

/**
 * Sends BARCODE x,y,"type",height,readable,rotation,narrow,wide,"content".
 * @param type     TSPL_BARCODE_* (0..29), else PRT_ERR_PARAMETER.
 * @param height   bar height in dots.
 * @param readable nonzero prints the human-readable line (sent as 1).
 * @param narrow, wide  bar widths in dots.
 * @param content  8-bit data; NULL -> PRT_ERR_PARAMETER.  The line may be 509 bytes long.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER,
 *         PRT_ERR_BUFFER_TOO_SMALL or the port's code.
 */
PRT_API int32_t TSPL_BarCode(PrtHandle handle, int32_t x, int32_t y, int32_t type, int32_t height,
                             int32_t readable, int32_t rotation, int32_t narrow, int32_t wide,
                             const char *content);

/**
 * Sends QRCODE x,y,level,cellWidth,mode,rotation,model,Smask,content.
 * @param level     error correction 0 = L, 1 = M, 2 = Q, 3 = H; others L.
 * @param cellWidth module size in dots 1..10, else PRT_ERR_PARAMETER.
 * @param mode      nonzero = manual ('M'), 0 = automatic ('A').
 * @param model     nonzero = model 2 ("M2"), 0 = model 1 ("M1").
 * @param mask      0..8; any other value is sent as 7.
 * @param content   8-bit data written as given: the caller adds the
 *                  quotation marks the printer needs.  NULL -> PRT_ERR_PARAMETER; 1020
 *                  bytes or more -> PRT_ERR_BUFFER_TOO_SMALL (checked before the other fields).
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_BUFFER_TOO_SMALL,
 *         PRT_ERR_PARAMETER or the port's code.
 */
PRT_API int32_t TSPL_QrCode(PrtHandle handle, int32_t x, int32_t y, int32_t level,
                            int32_t cellWidth, int32_t mode, int32_t rotation, int32_t model,
                            int32_t mask, const char *content);

/**
 * Sends TEXT x,y,"font",rotation,xMul,yMul,"text".
 * @param font  0..8 selects a bitmap font by number; above 8 "ROMAN.TTF".
 * @param xMul, yMul  magnification, not checked.
 * @param text  8-bit text; NULL -> PRT_ERR_PARAMETER.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER,
 *         PRT_ERR_BUFFER_TOO_SMALL or the port's code.
 */
PRT_API int32_t TSPL_Text(PrtHandle handle, int32_t x, int32_t y, int32_t font, int32_t rotation,
                          int32_t xMul, int32_t yMul, const char *text);

/** Sends "PRINT sets,copies".
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE or the port's code. */
PRT_API int32_t TSPL_Print(PrtHandle handle, int32_t sets, int32_t copies);

/** Sends "FORMFEED".
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE or the port's code. */
PRT_API int32_t TSPL_FormFeed(PrtHandle handle);

/** Sends "SET TEAR ON" (on != 0) or "SET TEAR OFF".
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE or the port's code. */
PRT_API int32_t TSPL_SetTear(PrtHandle handle, int32_t on);

/** Sends "OFFSET <offset>mm" (offset in whole mm, unchecked).
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE or the port's code. */
PRT_API int32_t TSPL_Offset(PrtHandle handle, int32_t offset);

/** Sends "DIRECTION 1" (direction != 0) or "DIRECTION 0".
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE or the port's code. */
PRT_API int32_t TSPL_Direction(PrtHandle handle, int32_t direction);

/** Sends "FEED length": feeds length dots, 0..65535, else PRT_ERR_PARAMETER.
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER or the port's code. */
PRT_API int32_t TSPL_Feed(PrtHandle handle, int32_t length);

/** Sends "HOME": feeds to the start of the next label.
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE or the port's code. */
PRT_API int32_t TSPL_Home(PrtHandle handle);

/** Sends "ZZZLEARN": the printer measures its labels.
 *  @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *          PRT_ERR_WRONG_PRINTER_TYPE or the port's code. */
PRT_API int32_t TSPL_Learn(PrtHandle handle);

/**
 * Asks for the printer's serial number ("ZZZGETSN") and reads the answer:
 * everything up to a NUL byte, at most 32 bytes, within about 11 reads 20 ms
 * apart.  The answer's first byte is not part of the number.
 * @param serial caller's area of TSPL_SN_SIZE (32) bytes; NULL -> PRT_ERR_PARAMETER.  It
 *        is untouched when the request fails; otherwise it receives the
 *        NUL-terminated number (at most 31 bytes), also after a timeout
 *        (whatever arrived, often an empty text).  Nothing is written past
 *        its 32 bytes.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER, the port's write or
 *         read code, or PRT_ERR_READ_TIMEOUT when the terminating NUL did not
 *         arrive.
 */
PRT_API int32_t TSPL_GetSN(PrtHandle handle, char *serial);

/**
 * Prints an image file: sends "BITMAP x,y,rowBytes,height,mode" followed
 * directly by the raster (rows top to bottom, rowBytes = (width + 7) / 8,
 * most significant bit leftmost, 0 = dark dot, padding bits 1).
 * Colour images are dithered; one-bit images are copied.
 * @param mode  0 overwrite, 1 OR, 2 XOR; any other value is sent as 0.
 * @param path  UTF-16 file path (PNG, JPEG, GIF or BMP); NULL -> PRT_ERR_PARAMETER.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_IMAGE_SIZE (width or height 0, wider than the model prints,
 *         higher than 65535, or so large that decoding would need more than 256
 *         MB), PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_BUFFER_TOO_SMALL,
 *         PRT_ERR_OUT_OF_MEMORY, the decoder's code (errno for a missing or
 *         unreadable file, EISDIR for a directory, PRT_ERR_IMAGE_LOAD for an
 *         undecodable file or a path that names no regular file: a FIFO, socket
 *         or device is refused without waiting) or the port's code.  The image
 *         is decoded before the model's TSPL capability is tested.
 */
PRT_API int32_t TSPL_BitMapW(PrtHandle handle, int32_t x, int32_t y, int32_t mode,
                             const PrtWChar *path);

/** As TSPL_BitMapW with an 8-bit path in the system code page.  Also
 *  PRT_ERR_BUFFER_TOO_SMALL when the path takes 260 UTF-16 units or more,
 *  and errno (EILSEQ) when it
 *  is not valid in the code page.
 *  @return as TSPL_BitMapW, and those two. */
PRT_API int32_t TSPL_BitMapA(PrtHandle handle, int32_t x, int32_t y, int32_t mode,
                             const char *path);

/** @return TSPL_DLL_VERSION (1003); needs no handle. */
PRT_API int32_t TSPL_GetDllVersion(void);

#ifdef __cplusplus
}
#endif

#endif /* RAVO_HERON_H */
