# The front door. `make run` runs the program's main job, `make test` every test.
PRESETS := native win32 win64 web
MAKEFLAGS += --no-print-directory

.PHONY: all build deps test run web dist install bench fuzz clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	@for p in $(PRESETS); do tools/build-preset.sh $$p || exit 1; done

# Every test through CTest, on one virtual screen: the native build's unit
# tests, then the other builds' tests and the slow checks, which the native
# build holds as labelled stages that build what they run.
test: deps
	@tools/build-preset.sh native
	tools/with-screen ctest --preset native

# Only what it runs: the 64-bit dialog and the program that shows it.
run:
	@tools/install-deps.sh run
	@tools/build-preset.sh win64 tintmend tintmend-show
	tools/run.sh

# The page: opened in the default browser, or without a display shown in
# headless Chromium, which saves build/tintmend-web.png.
web:
	@tools/install-deps.sh web
	tools/web.sh

# The release in build/dist: the two Windows zips and SHA256SUMS, the same
# bytes from any clean copy of the same commit.
dist:
	@tools/install-deps.sh dist
	tools/dist.sh

# The companion in $(PREFIX)/bin, its manual page in $(PREFIX)/share/man/man1
# and the page in $(PREFIX)/share/tintmend, all under $(DESTDIR) if given.
PREFIX ?= /usr/local
install: deps
	@tools/build-preset.sh native tintmend-cli
	@tools/build-preset.sh web tintmend_page
	DESTDIR="$(DESTDIR)" cmake --install build/native --prefix "$(PREFIX)"
	DESTDIR="$(DESTDIR)" cmake --install build/web --prefix "$(PREFIX)"

bench: deps
	@tools/build-preset.sh native tintmend-bench
	build/native/bin/tintmend-bench

# The readers' fuzzers for FUZZ_SECONDS; new inputs gather in build/fuzz.
FUZZ_SECONDS ?= 300
fuzz: deps
	tools/fuzz.sh run $(FUZZ_SECONDS)

clean:
	rm -rf build
