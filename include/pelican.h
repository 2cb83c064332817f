/*
 * pelican.h - libpelican: CPCL label printers.
 *
 * The Prt family (handles, ports, raw data, messages) is declared in prt.h
 * and documented there.  Link with -lpelican (pkg-config pelican).
 */
#ifndef RAVO_PELICAN_H
#define RAVO_PELICAN_H

#include "prt.h"

#endif /* RAVO_PELICAN_H */
