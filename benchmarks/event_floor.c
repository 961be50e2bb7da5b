/* The floor of every load: read the file whole and take libyaml's events one
 * by one, keeping nothing. bench.py compiles this into a shared library and
 * calls it through ctypes, so it runs in the same process as the rest. */
#include <stdio.h>
#include <stdlib.h>
#include <yaml.h>

/* Number of events in the file's first document stream, or -1 on failure. */
long long floor_parse_file(const char *path) {
  FILE *f = fopen(path, "rb");
  if (!f) return -1;
  if (fseek(f, 0, SEEK_END) != 0) { fclose(f); return -1; }
  long size = ftell(f);
  if (size < 0 || fseek(f, 0, SEEK_SET) != 0) { fclose(f); return -1; }
  unsigned char *buf = malloc(size > 0 ? (size_t)size : 1);
  if (!buf) { fclose(f); return -1; }
  size_t got = fread(buf, 1, (size_t)size, f);
  fclose(f);
  if (got != (size_t)size) { free(buf); return -1; }

  yaml_parser_t parser;
  if (!yaml_parser_initialize(&parser)) { free(buf); return -1; }
  yaml_parser_set_encoding(&parser, YAML_UTF8_ENCODING);
  yaml_parser_set_input_string(&parser, buf, (size_t)size);
  long long events = 0;
  for (;;) {
    yaml_event_t ev;
    if (!yaml_parser_parse(&parser, &ev)) { events = -1; break; }
    int end = ev.type == YAML_STREAM_END_EVENT;
    yaml_event_delete(&ev);
    ++events;
    if (end) break;
  }
  yaml_parser_delete(&parser);
  free(buf);
  return events;
}
