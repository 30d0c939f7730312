// SPDX-License-Identifier: GPL-3.0-or-later
// The resources of this library are compiled in by qt_add_resources.
