// Takes the GTK print dialog's preview button over (see the header).
#include "app/PrintPreviewRequest.h"

#include <wx/dialog.h>

#if defined(__WXGTK__) && wxUSE_GTKPRINT
#include <wx/gtk/print.h>

#include <gtk/gtk.h>

namespace
{
gboolean EndPreview(gpointer preview)
{
    gtk_print_operation_preview_end_preview(GTK_PRINT_OPERATION_PREVIEW(preview));
    g_object_unref(preview);
    return G_SOURCE_REMOVE;
}

// The pages are laid out: the toolkit's preview run ends once the current handler returns.
void OnPreviewReady(GtkPrintOperationPreview* preview, GtkPrintContext*, gpointer)
{
    g_object_ref(preview);
    g_idle_add(EndPreview, preview);
}

gboolean OnPreview(GtkPrintOperation*, GtkPrintOperationPreview* preview, GtkPrintContext* context, GtkWindow*,
                   gpointer request)
{
    // A handled preview must give the toolkit a surface to lay the pages out on; nothing is
    // drawn on it, since the run ends as soon as the pages are counted.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(surface);
    gtk_print_context_set_cairo_context(context, cr, 72, 72);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    g_signal_connect(preview, "ready", G_CALLBACK(OnPreviewReady), nullptr);
    static_cast<CPrintPreviewRequest*>(request)->SetRequested();
    return TRUE;
}
} // namespace

int CPrintPreviewRequest::Enter(wxDialog* dialog)
{
    // The print job exists from before the dialog runs and is shared by its print data.
    if (auto* print = wxDynamicCast(dialog, wxGtkPrintDialog))
        if (auto* native = static_cast<wxGtkPrintNativeData*>(print->GetPrintData().GetNativeData()))
            if (GtkPrintOperation* job = native->GetPrintJob())
                g_signal_connect(job, "preview", G_CALLBACK(OnPreview), this);
    return wxID_NONE;
}
#else
int CPrintPreviewRequest::Enter(wxDialog*)
{
    return wxID_NONE;
}
#endif
