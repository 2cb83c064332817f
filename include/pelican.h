/*
 * pelican.h - libpelican: CPCL label printers.
 *
 * The Prt family (handles, ports, raw data, messages) is declared in prt.h
 * and documented there.  Link with -lpelican (pkg-config pelican, or CMake
 * find_package(Pelican) and the target Pelican::pelican).
 *
 * A label is composed call by call: CPCL_AddLabel (the "!" header), then
 * settings and drawing commands, then CPCL_Print (or CPCL_NextLabelPos,
 * CPCL_Abort).  The library keeps no label state: each CPCL_ call formats
 * its command, appends it to the handle's command buffer and writes the
 * buffer to the open port at once, so the order on the wire is the order of
 * the calls.  Every call returns its own result; an earlier failure never
 * affects a later call.
 *
 * Checks, in this order; the first failure is returned, nothing is sent:
 *
 *   -6   (PRT_ERR_INVALID_HANDLE)      null, destroyed or foreign handle
 *   -309 (PRT_ERR_PORT_NOT_OPEN)       the handle's port is not open
 *   errno                              W variants: text that the system code
 *                                      page cannot hold (EILSEQ)
 *   -3   (PRT_ERR_WRONG_PRINTER_TYPE)  the model does not speak CPCL
 *   -1   (PRT_ERR_PARAMETER)           an argument outside its range, or a
 *                                      NULL text or data pointer
 *   -2   (PRT_ERR_BUFFER_TOO_SMALL)    the command is longer than its
 *                                      working area (509 bytes for text, bar
 *                                      code, QR and PDF417 commands, 254 for
 *                                      the others) or than the free room of
 *                                      the command buffer
 *   -9   (PRT_ERR_OUT_OF_MEMORY)       no memory for a conversion, a raster
 *                                      or buffer growth
 *
 * Then the buffer is written; the port's code (RAVO_IO_ERR_WRITE,
 * RAVO_IO_ERR_WRITE_TIMEOUT ...) is returned when the write fails.  The
 * bytes the port did not take stay in the buffer and go out ahead of the
 * next command that succeeds; the ones it took are not sent again, so the
 * printer receives every byte once.  Any call may also return
 * PRT_ERR_INTERNAL (see prt.h).
 *
 * Units are printer dots (the label header fixes 200 x 200 dpi).  8-bit
 * texts (A variants and CPCL_AddText) are sent byte for byte; UTF-16 texts
 * (W variants) are converted to the system code page first.  Every line
 * ends with CR LF.
 */
#ifndef RAVO_PELICAN_H
#define RAVO_PELICAN_H

#include "prt.h"

#ifdef __cplusplus
extern "C" {
#endif

/** Alignments of CPCL_AddAlign. */
enum { CPCL_ALIGN_LEFT = 0, CPCL_ALIGN_CENTER = 1, CPCL_ALIGN_RIGHT = 2 };

/** Text rotations of CPCL_AddText (other values print unrotated). */
enum { CPCL_ROTATE_0 = 0, CPCL_ROTATE_90 = 1, CPCL_ROTATE_180 = 2, CPCL_ROTATE_270 = 3 };

/** Bar-code types of CPCL_AddBarCodeA/W (the CPCL name in the comment). */
enum {
  CPCL_BARCODE_128 = 0,          /**< "128" */
  CPCL_BARCODE_128A = 1,         /**< "128A" */
  CPCL_BARCODE_128B = 2,         /**< "128B" */
  CPCL_BARCODE_128C = 3,         /**< "128C" */
  CPCL_BARCODE_128E = 4,         /**< "128E" */
  CPCL_BARCODE_39 = 5,           /**< "39" */
  CPCL_BARCODE_39C = 6,          /**< "39C" */
  CPCL_BARCODE_93 = 7,           /**< "93" */
  CPCL_BARCODE_CODABAR = 8,      /**< "CODABAR" */
  CPCL_BARCODE_CODABAR16 = 9,    /**< "CODABAR16" */
  CPCL_BARCODE_EAN13 = 10,       /**< "EAN13" */
  CPCL_BARCODE_EAN132 = 11,      /**< "EAN132" */
  CPCL_BARCODE_EAN135 = 12,      /**< "EAN135" */
  CPCL_BARCODE_EAN8 = 13,        /**< "EAN8" */
  CPCL_BARCODE_EAN82 = 14,       /**< "EAN82" */
  CPCL_BARCODE_EAN85 = 15,       /**< "EAN85" */
  CPCL_BARCODE_F39 = 16,         /**< "F39" */
  CPCL_BARCODE_F39C = 17,        /**< "F39C" */
  CPCL_BARCODE_FIM = 18,         /**< "FIM" */
  CPCL_BARCODE_I2OF5 = 19,       /**< "I2OF5" */
  CPCL_BARCODE_I2OF5C = 20,      /**< "I2OF5C" */
  CPCL_BARCODE_I2OF5G = 21,      /**< "I2OF5G" */
  CPCL_BARCODE_INDUST2OF5 = 22,  /**< "INDUST2OF5" */
  CPCL_BARCODE_INDUST2OF5C = 23, /**< "INDUST2OF5C" */
  CPCL_BARCODE_MSI = 24,         /**< "MSI" */
  CPCL_BARCODE_MSI10 = 25,       /**< "MSI10" */
  CPCL_BARCODE_MSI1010 = 26,     /**< "MSI1010" */
  CPCL_BARCODE_MSI1110 = 27,     /**< "MSI1110" */
  CPCL_BARCODE_NW7 = 28,         /**< "NW7" */
  CPCL_BARCODE_NW7HEX = 29,      /**< "NW7HEX" */
  CPCL_BARCODE_PLESSEY = 30,     /**< "PLESSEY" */
  CPCL_BARCODE_PLUS2 = 31,       /**< "PLUS2" */
  CPCL_BARCODE_PLUS5 = 32,       /**< "PLUS5" */
  CPCL_BARCODE_POSTNET = 33,     /**< "POSTNET" */
  CPCL_BARCODE_UCCEAN128 = 34,   /**< "UCCEAN128" */
  CPCL_BARCODE_UCCEAN128E = 35,  /**< "UCCEAN128E" */
  CPCL_BARCODE_UPCA = 36,        /**< "UPCA" */
  CPCL_BARCODE_UPCA2 = 37,       /**< "UPCA2" */
  CPCL_BARCODE_UPCA5 = 38,       /**< "UPCA5" */
  CPCL_BARCODE_UPCE = 39,        /**< "UPCE" */
  CPCL_BARCODE_UPCE2 = 40,       /**< "UPCE2" */
  CPCL_BARCODE_UPCE5 = 41        /**< "UPCE5" */
};

/* ---- Label frame ---------------------------------------------------------- */

/**
 * Starts a label: "! offset 200 200 height qty".
 * @param offset horizontal offset of the whole label, in dots.
 * @param height label height in dots.
 * @param qty    number of copies.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_BUFFER_TOO_SMALL,
 *         PRT_ERR_OUT_OF_MEMORY or the port's code.
 */
PRT_API int32_t CPCL_AddLabel(PrtHandle handle, int32_t offset, int32_t height, int32_t qty);

/** Sends "PRINT": prints the label and ends it.  @return as CPCL_AddLabel. */
PRT_API int32_t CPCL_Print(PrtHandle handle);

/** Sends "FORM": feeds to the next label's top.  @return as CPCL_AddLabel. */
PRT_API int32_t CPCL_NextLabelPos(PrtHandle handle);

/** Sends "ABORT": discards the label.  @return as CPCL_AddLabel. */
PRT_API int32_t CPCL_Abort(PrtHandle handle);

/** Sends "PREFEED length": feed before printing, -4000..4000 dots, else
 *  PRT_ERR_PARAMETER.
 *  @return as CPCL_AddLabel, or PRT_ERR_PARAMETER. */
PRT_API int32_t CPCL_PreFeed(PrtHandle handle, int32_t length);

/** Sends "POSTFEED length": feed after printing, -4000..4000 dots, else
 *  PRT_ERR_PARAMETER.
 *  @return as CPCL_AddLabel, or PRT_ERR_PARAMETER. */
PRT_API int32_t CPCL_PostFeed(PrtHandle handle, int32_t length);

/* ---- Settings --------------------------------------------------------------- */

/** Sends "LEFT", "CENTER" or "RIGHT" for CPCL_ALIGN_* (0..2), else PRT_ERR_PARAMETER.
 *  @return as CPCL_AddLabel, or PRT_ERR_PARAMETER. */
PRT_API int32_t CPCL_AddAlign(PrtHandle handle, int32_t align);

/** Sends "SETMAG width height": text magnification, width 0..16 and
 *  height 0..127, else PRT_ERR_PARAMETER.
 *  @return as CPCL_AddLabel, or PRT_ERR_PARAMETER. */
PRT_API int32_t CPCL_SetFontSize(PrtHandle handle, int32_t width, int32_t height);

/** Sends "CONTRAST density": print darkness 0..3, else PRT_ERR_PARAMETER.
 *  @return as CPCL_AddLabel, or PRT_ERR_PARAMETER. */
PRT_API int32_t CPCL_SetDensity(PrtHandle handle, int32_t density);

/** Sends "SPEED speed": print speed 0..5, else PRT_ERR_PARAMETER.
 *  @return as CPCL_AddLabel, or PRT_ERR_PARAMETER. */
PRT_API int32_t CPCL_SetSpeed(PrtHandle handle, int32_t speed);

/** Sends "SETSP spacing": extra dots between characters 0..999, else PRT_ERR_PARAMETER.
 *  @return as CPCL_AddLabel, or PRT_ERR_PARAMETER. */
PRT_API int32_t CPCL_SetTextSpacing(PrtHandle handle, int32_t spacing);

/** Sends "LMARGIN margin": left margin 0..999 dots, else PRT_ERR_PARAMETER.
 *  @return as CPCL_AddLabel, or PRT_ERR_PARAMETER. */
PRT_API int32_t CPCL_SetLeftMargin(PrtHandle handle, int32_t margin);

/** Sends "SETBOLD bold": emboldening 0..5, else PRT_ERR_PARAMETER.
 *  @return as CPCL_AddLabel, or PRT_ERR_PARAMETER. */
PRT_API int32_t CPCL_SetTextBold(PrtHandle handle, int32_t bold);

/** Sends "UNDERLINE ON" (underline != 0) or "UNDERLINE OFF".
 *  @return as CPCL_AddLabel. */
PRT_API int32_t CPCL_SetTextUnderline(PrtHandle handle, int32_t underline);

/* ---- Text and shapes ---------------------------------------------------------- */

/**
 * Sends "TEXT font size x y text" (TEXT90, TEXT180, TEXT270 when rotated).
 * @param rotate CPCL_ROTATE_* (0..3); other values print unrotated.
 * @param font   0, 1, 3, 4, 5, 8 or 55, else PRT_ERR_PARAMETER.
 * @param size   0..7, else PRT_ERR_PARAMETER.
 * @param x, y   position in dots.
 * @param text   8-bit text, NULL -> PRT_ERR_PARAMETER.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER,
 *         PRT_ERR_BUFFER_TOO_SMALL, PRT_ERR_OUT_OF_MEMORY or the port's code.
 */
PRT_API int32_t CPCL_AddText(PrtHandle handle, int32_t rotate, int32_t font, int32_t size,
                             int32_t x, int32_t y, const char *text);

/** As CPCL_AddText with UTF-16 text; also errno when the code page cannot
 *  hold it.
 *  @return as CPCL_AddText, or that errno (EILSEQ). */
PRT_API int32_t CPCL_AddTextW(PrtHandle handle, int32_t rotate, int32_t font, int32_t size,
                              int32_t x, int32_t y, const PrtWChar *text);

/** Sends "BOX x0 y0 x1 y1 thickness" (dots, unchecked).
 *  @return as CPCL_AddLabel. */
PRT_API int32_t CPCL_AddBox(PrtHandle handle, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                            int32_t thickness);

/** Sends "LINE x0 y0 x1 y1 thickness" (dots, unchecked).
 *  @return as CPCL_AddLabel. */
PRT_API int32_t CPCL_AddLine(PrtHandle handle, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                             int32_t thickness);

/* ---- Bar codes ------------------------------------------------------------------ */

/**
 * Sends "BARCODE type width ratio height x y data" ("VBARCODE" when
 * vertical).
 * @param vertical nonzero rotates the bar code by 90 degrees.
 * @param type     CPCL_BARCODE_* (0..41), else PRT_ERR_PARAMETER.
 * @param width    narrow bar width in dots.
 * @param ratio    wide-to-narrow ratio code 0..4 or 20..30, else PRT_ERR_PARAMETER.
 * @param height   bar height in dots.
 * @param data     8-bit data, NULL -> PRT_ERR_PARAMETER.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER,
 *         PRT_ERR_BUFFER_TOO_SMALL, PRT_ERR_OUT_OF_MEMORY or the port's code.
 */
PRT_API int32_t CPCL_AddBarCodeA(PrtHandle handle, int32_t vertical, int32_t type, int32_t width,
                                 int32_t ratio, int32_t height, int32_t x, int32_t y,
                                 const char *data);

/** As CPCL_AddBarCodeA with UTF-16 data.
 *  @return as CPCL_AddBarCodeA, or errno (EILSEQ) when the code page cannot
 *  hold the data. */
PRT_API int32_t CPCL_AddBarCodeW(PrtHandle handle, int32_t vertical, int32_t type, int32_t width,
                                 int32_t ratio, int32_t height, int32_t x, int32_t y,
                                 const PrtWChar *data);

/** Sends "BARCODE-TEXT font size offset" (human-readable line under the
 *  following bar codes, offset in dots) or, with enable = 0,
 *  "BARCODE-TEXT OFF".  Nothing is checked.
 *  @return as CPCL_AddLabel. */
PRT_API int32_t CPCL_AddBarCodeText(PrtHandle handle, int32_t enable, int32_t font, int32_t size,
                                    int32_t offset);

/**
 * Sends the QR block "B QR x y M model U unit ", "level,data", "ENDQR"
 * ("VB QR" when vertical).
 * @param model 1 or 2, else PRT_ERR_PARAMETER.
 * @param unit  module size in dots.
 * @param level error correction 0 = L, 1 = M, 2 = Q; anything else H.
 * @param data  8-bit data, NULL -> PRT_ERR_PARAMETER.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER,
 *         PRT_ERR_BUFFER_TOO_SMALL, PRT_ERR_OUT_OF_MEMORY or the port's code.
 */
PRT_API int32_t CPCL_AddQRCodeA(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                int32_t model, int32_t unit, int32_t level, const char *data);

/** As CPCL_AddQRCodeA with UTF-16 data.
 *  @return as CPCL_AddQRCodeA, or errno (EILSEQ) when the code page cannot
 *  hold the data. */
PRT_API int32_t CPCL_AddQRCodeW(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                int32_t model, int32_t unit, int32_t level, const PrtWChar *data);

/**
 * Sends the PDF417 block "BARCODE PDF-417 x y XD xd YD yd C columns R rows
 * S security B0", the data line and "ENDPDF" ("VBARCODE" when vertical).
 * @param xd, yd    module width and height in dots.
 * @param columns   1..30, else PRT_ERR_PARAMETER.
 * @param rows      0..90 (0 = as many as needed), else PRT_ERR_PARAMETER.
 * @param security  error-correction level 0..8, else PRT_ERR_PARAMETER.
 * @param data      8-bit data, NULL -> PRT_ERR_PARAMETER.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER,
 *         PRT_ERR_BUFFER_TOO_SMALL, PRT_ERR_OUT_OF_MEMORY or the port's code.
 */
PRT_API int32_t CPCL_AddPDF417A(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                int32_t xd, int32_t yd, int32_t columns, int32_t rows,
                                int32_t security, const char *data);

/** As CPCL_AddPDF417A with UTF-16 data.
 *  @return as CPCL_AddPDF417A, or errno (EILSEQ) when the code page cannot
 *  hold the data. */
PRT_API int32_t CPCL_AddPDF417W(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                                int32_t xd, int32_t yd, int32_t columns, int32_t rows,
                                int32_t security, const PrtWChar *data);

/* ---- Images ------------------------------------------------------------------------ */

/**
 * Prints an image file as a graphics block: "COMPRESSED-GRAPHICS
 * widthBytes height x y " ("VCOMPRESSED-GRAPHICS" when vertical) followed
 * directly by the raster, (width + 7) / 8 bytes per row, most significant
 * bit leftmost.  The raster is the image's one-bit form inverted (a set bit
 * for a light dot).  No line end follows the raster.
 * @param path UTF-16 file path (PNG, JPEG, GIF or BMP); NULL -> PRT_ERR_PARAMETER.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN, the
 *         decoder's code (errno for a missing or unreadable file, EISDIR for a
 *         directory, PRT_ERR_IMAGE_LOAD for an undecodable file or a path that
 *         names no regular file: a FIFO, socket or device is refused without
 *         waiting), PRT_ERR_IMAGE_SIZE (width or height 0, wider than the model
 *         prints, or so large that decoding would need more than 256 MB),
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_BUFFER_TOO_SMALL,
 *         PRT_ERR_OUT_OF_MEMORY or the port's code. The image is decoded before
 *         the model's CPCL capability is tested.
 */
PRT_API int32_t CPCL_AddImageW(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                               const PrtWChar *path);

/** As CPCL_AddImageW with an 8-bit path; also PRT_ERR_BUFFER_TOO_SMALL when
 *  the path takes 260
 *  UTF-16 units or more and errno when it is not valid in the code page.
 *  @return as CPCL_AddImageW, and those two. */
PRT_API int32_t CPCL_AddImageA(PrtHandle handle, int32_t vertical, int32_t x, int32_t y,
                               const char *path);

/**
 * Sends a graphics block from the caller's raster, unchanged.
 * @param widthBytes bytes per row 0..999, else PRT_ERR_PARAMETER.
 * @param heightDots number of rows; negative -> PRT_ERR_PARAMETER.
 * @param data       widthBytes * heightDots bytes; NULL -> PRT_ERR_PARAMETER.
 * @return PRT_SUCCESS, PRT_ERR_INVALID_HANDLE, PRT_ERR_PORT_NOT_OPEN,
 *         PRT_ERR_WRONG_PRINTER_TYPE, PRT_ERR_PARAMETER, PRT_ERR_IMAGE_SIZE
 *         (widthBytes or heightDots 0, or rows wider than the model prints),
 *         PRT_ERR_BUFFER_TOO_SMALL, PRT_ERR_OUT_OF_MEMORY or the port's code.
 */
PRT_API int32_t CPCL_AddImageData(PrtHandle handle, int32_t vertical, int32_t widthBytes,
                                  int32_t heightDots, int32_t x, int32_t y, const uint8_t *data);

#ifdef __cplusplus
}
#endif

#endif /* RAVO_PELICAN_H */
