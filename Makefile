# The front door. `make run` runs the program's main job, `make test` every test.
PRESETS := native win32 win64

.PHONY: all build deps test run bench fuzz clean

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

bench: deps
	cmake --preset native >/dev/null && cmake --build --preset native --target tintmend-bench
	build/native/bin/tintmend-bench

# The readers' fuzzers for FUZZ_SECONDS; new inputs gather in build/fuzz.
FUZZ_SECONDS ?= 300
fuzz: deps
	tools/fuzz.sh run $(FUZZ_SECONDS)

clean:
	rm -rf build
