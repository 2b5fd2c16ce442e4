#include "paint.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace art {

Rgb Mix(Rgb a, Rgb b, double t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Lighter(Rgb c, double t) { return Mix(c, palette::kWhite, t); }
Rgb Darker(Rgb c, double t) { return Mix(c, Rgb{0, 0, 0}, t); }

cairo_surface_t* NewSheet(int width, int height) {
    return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

bool SaveSheet(cairo_surface_t* surface, const std::string& dir, const std::string& name) {
    std::string path = dir + "/" + name;
    bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS &&
              cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

bool DrawSheet(const std::string& dir, const std::string& name, int w, int h,
               const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* s = NewSheet(w, h);
    cairo_t* cr = cairo_create(s);
    draw(cr);
    bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    if (!ok) std::fprintf(stderr, "artgen: %s: %s\n", name.c_str(), cairo_status_to_string(cairo_status(cr)));
    cairo_destroy(cr);
    return SaveSheet(s, dir, name) && ok;
}

void SetColor(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double d = M_PI / 180.0;
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -90 * d, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, 90 * d);
    cairo_arc(cr, x + r, y + h - r, r, 90 * d, 180 * d);
    cairo_arc(cr, x + r, y + r, r, 180 * d, 270 * d);
    cairo_close_path(cr);
}

void InRegion(cairo_t* cr, double x, double y, double w, double h,
              const std::function<void()>& draw) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_clip(cr);
    draw();
    cairo_restore(cr);
    cairo_new_path(cr);
}

void VerticalGradient(cairo_t* cr, double y0, Rgb top, double y1, Rgb bottom, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, top.r, top.g, top.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, bottom.r, bottom.g, bottom.b, alpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void RadialGradient(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer,
                    double innerAlpha, double outerAlpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(p, 0, inner.r, inner.g, inner.b, innerAlpha);
    cairo_pattern_add_color_stop_rgba(p, 1, outer.r, outer.g, outer.b, outerAlpha);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void Vignette(cairo_t* cr, double w, double h, double r0, double r1, Rgb c, double alpha) {
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_pattern_t* v = cairo_pattern_create_radial(w / 2, h / 2, r0, w / 2, h / 2, r1);
    cairo_pattern_add_color_stop_rgba(v, 0, c.r, c.g, c.b, 0);
    cairo_pattern_add_color_stop_rgba(v, 1, c.r, c.g, c.b, alpha);
    cairo_set_source(cr, v);
    cairo_pattern_destroy(v);
    cairo_fill(cr);
}

namespace {
// Three passes of a box blur approximate a Gaussian; data is an A8 image.
void BoxBlur(unsigned char* data, int w, int h, int stride, int radius) {
    if (radius < 1) return;
    std::vector<unsigned char> line(std::max(w, h));
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) {
            unsigned char* row = data + y * stride;
            int sum = 0;
            for (int i = -radius; i <= radius; ++i) sum += row[std::clamp(i, 0, w - 1)];
            for (int x = 0; x < w; ++x) {
                line[x] = static_cast<unsigned char>(sum / (2 * radius + 1));
                sum += row[std::min(x + radius + 1, w - 1)] - row[std::max(x - radius, 0)];
            }
            std::copy(line.begin(), line.begin() + w, row);
        }
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int i = -radius; i <= radius; ++i) sum += data[std::clamp(i, 0, h - 1) * stride + x];
            for (int y = 0; y < h; ++y) {
                line[y] = static_cast<unsigned char>(sum / (2 * radius + 1));
                sum += data[std::min(y + radius + 1, h - 1) * stride + x] -
                       data[std::max(y - radius, 0) * stride + x];
            }
            for (int y = 0; y < h; ++y) data[y * stride + x] = line[y];
        }
    }
}

struct DeviceBox {
    int x, y, w, h;
};

DeviceBox PathBox(cairo_t* cr, int margin) {
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    double xs[4] = {x1, x2, x1, x2}, ys[4] = {y1, y1, y2, y2};
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (int i = 0; i < 4; ++i) {
        cairo_user_to_device(cr, &xs[i], &ys[i]);
        minX = std::min(minX, xs[i]);
        maxX = std::max(maxX, xs[i]);
        minY = std::min(minY, ys[i]);
        maxY = std::max(maxY, ys[i]);
    }
    DeviceBox b;
    b.x = static_cast<int>(std::floor(minX)) - margin;
    b.y = static_cast<int>(std::floor(minY)) - margin;
    b.w = static_cast<int>(std::ceil(maxX)) + margin - b.x;
    b.h = static_cast<int>(std::ceil(maxY)) + margin - b.y;
    return b;
}

// Draws the path held in cr into a new A8 mask covering box, with the path's user matrix.
cairo_surface_t* PathMask(cairo_t* cr, cairo_path_t* path, const DeviceBox& b, bool inverted,
                          double dx, double dy) {
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, b.w, b.h);
    cairo_t* m = cairo_create(mask);
    cairo_matrix_t mat;
    cairo_get_matrix(cr, &mat);
    mat.x0 += -b.x + dx;
    mat.y0 += -b.y + dy;
    if (inverted) {
        cairo_set_source_rgba(m, 0, 0, 0, 1);
        cairo_paint(m);
        cairo_set_operator(m, CAIRO_OPERATOR_CLEAR);
    }
    cairo_set_matrix(m, &mat);
    cairo_set_fill_rule(m, cairo_get_fill_rule(cr));
    cairo_append_path(m, path);
    cairo_set_source_rgba(m, 0, 0, 0, 1);
    cairo_fill(m);
    cairo_destroy(m);
    cairo_surface_flush(mask);
    return mask;
}
}  // namespace

void SoftShadow(cairo_t* cr, double blur, double dx, double dy, double alpha, Rgb c) {
    cairo_path_t* path = cairo_copy_path(cr);
    int radius = std::max(1, static_cast<int>(blur / 2));
    DeviceBox b = PathBox(cr, 3 * radius + 2);
    cairo_surface_t* mask = PathMask(cr, path, b, false, 0, 0);
    BoxBlur(cairo_image_surface_get_data(mask), b.w, b.h, cairo_image_surface_get_stride(mask), radius);
    cairo_surface_mark_dirty(mask);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    SetColor(cr, c, alpha);
    cairo_mask_surface(cr, mask, b.x + dx, b.y + dy);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
}

void InnerShadow(cairo_t* cr, double blur, double dx, double dy, double alpha, Rgb c) {
    cairo_path_t* path = cairo_copy_path(cr);
    int radius = std::max(1, static_cast<int>(blur / 2));
    DeviceBox b = PathBox(cr, 3 * radius + 2 + static_cast<int>(std::fabs(dx) + std::fabs(dy)));
    cairo_surface_t* mask = PathMask(cr, path, b, true, dx, dy);
    BoxBlur(cairo_image_surface_get_data(mask), b.w, b.h, cairo_image_surface_get_stride(mask), radius);
    cairo_surface_mark_dirty(mask);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    cairo_identity_matrix(cr);
    SetColor(cr, c, alpha);
    cairo_mask_surface(cr, mask, b.x, b.y);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
    cairo_new_path(cr);
    cairo_append_path(cr, path);
    cairo_path_destroy(path);
}

void FillAndOutline(cairo_t* cr, double lineWidth, Rgb outline) {
    cairo_fill_preserve(cr);
    SetColor(cr, outline);
    cairo_set_line_width(cr, lineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
}

void SelectFont(cairo_t* cr, Face face, double size) {
    cairo_select_font_face(cr, face == Face::kDisplay ? "Comic Neue" : "Liberation Sans",
                           CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& utf8) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, utf8.c_str(), &e);
    return e.x_advance;
}

void TextPath(cairo_t* cr, const std::string& utf8, double x, double y) {
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, utf8.c_str());
}

void OutlinedText(cairo_t* cr, const std::string& utf8, double x, double y, Rgb fill,
                  double outline, double shadowAlpha) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (shadowAlpha > 0) {
        // A hard cartoon shadow of the outlined letters, a little below them.
        cairo_save(cr);
        cairo_translate(cr, 0, outline * 0.5 + 2);
        cairo_new_path(cr);
        TextPath(cr, utf8, x, y);
        cairo_push_group(cr);
        SetColor(cr, palette::kInk);
        cairo_set_line_width(cr, outline);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, shadowAlpha);
        cairo_restore(cr);
    }
    cairo_new_path(cr);
    TextPath(cr, utf8, x, y);
    SetColor(cr, palette::kInk);
    cairo_set_line_width(cr, outline);
    cairo_stroke_preserve(cr);
    SetColor(cr, fill);
    cairo_fill(cr);
}

}  // namespace art
