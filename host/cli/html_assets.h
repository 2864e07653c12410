// The fixed style and script of the html report.

#ifndef VEXAL_HOST_CLI_HTML_ASSETS_H_
#define VEXAL_HOST_CLI_HTML_ASSETS_H_

namespace vexal::cli {

// The text of the page's <style> element.
extern const char kHtmlStyle[];
// The text of its <script> element: filters the records by the URL
// fragment (k= error identifier key, t= record type, f= file number) and
// folds the groups. The page reads the same without it.
extern const char kHtmlScript[];

}  // namespace vexal::cli

#endif  // VEXAL_HOST_CLI_HTML_ASSETS_H_
