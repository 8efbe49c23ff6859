# The front door. `make run` runs the program's main job, `make test` every test.
PRESETS := native win32 win64 web

.PHONY: all build deps test run web dist bench fuzz clean

all: build

deps:
	@tools/install-deps.sh

build: deps
	@for p in $(PRESETS); do \
	    cmake --preset $$p >/dev/null && cmake --build --preset $$p || exit 1; \
	done

test: build
	tools/run-tests.sh

run: build
	tools/run.sh

# The page: opened in the default browser, or without a display shown in
# headless Chromium, which saves build/tintmend-web.png.
web: deps
	tools/web.sh

# The release in build/dist: the two Windows zips and SHA256SUMS, the same
# bytes from any clean copy of the same commit.
dist: deps
	tools/dist.sh

bench: deps
	cmake --preset native >/dev/null && cmake --build --preset native --target tintmend-bench
	build/native/bin/tintmend-bench

# The readers' fuzzers for FUZZ_SECONDS; new inputs gather in build/fuzz.
FUZZ_SECONDS ?= 300
fuzz: deps
	tools/fuzz.sh run $(FUZZ_SECONDS)

clean:
	rm -rf build
