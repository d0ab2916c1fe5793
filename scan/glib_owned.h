#pragma once
// Small owners for the GLib, cairo and zbar handles that PDF and image reading
// use: each frees its handle when it goes out of scope.

#include <glib-object.h>

#include <memory>

namespace morvik {

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
// A GObject reference (a document, a page, a pixbuf loader).
template <typename T>
using GOwned = std::unique_ptr<T, GObjectUnref>;

struct GFree {
  void operator()(gpointer memory) const { g_free(memory); }
};
// Memory GLib hands over ("free with g_free").
using GChars = std::unique_ptr<char, GFree>;

struct GErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
using GErrorOwned = std::unique_ptr<GError, GErrorFree>;

struct GBytesUnref {
  void operator()(GBytes* bytes) const { g_bytes_unref(bytes); }
};
using GBytesOwned = std::unique_ptr<GBytes, GBytesUnref>;

}  // namespace morvik
