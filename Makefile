# The two commands of the README. Both install any missing Debian packages
# first: make run only what building and playing need, make test also the
# tools of the tests.
PRESET ?= $(if $(CI),ci,default)
BUILD_DIR = $(if $(filter ci,$(PRESET)),build-ci,$(if $(filter sanitize,$(PRESET)),build-sanitize,build))

.PHONY: run test build setup setup-run sanitize bench package

setup-run:
	@bash scripts/setup.sh run

setup:
	@bash scripts/setup.sh test

# Only the program; the benchmarks' library comes with the tests' set-up.
run: setup-run
	cmake --preset $(PRESET) -DTOLVANE_BENCH=OFF
	cmake --build --preset $(PRESET) --target tolvane
	bash scripts/run.sh $(BUILD_DIR)

build: setup
	cmake --preset $(PRESET) -DTOLVANE_BENCH=$(if $(filter sanitize,$(PRESET)),OFF,ON)
	cmake --build --preset $(PRESET)

test: build
	bash scripts/test.sh $(BUILD_DIR)

sanitize:
	$(MAKE) test PRESET=sanitize

bench:
	$(MAKE) build PRESET=default
	bash scripts/bench.sh build

# The Debian package, from the install rules and built with Debian's
# hardening flags: BUILD_DIR/package/tolvane_*.deb
package: build
	cpack --config $(BUILD_DIR)/CPackConfig.cmake -B $(BUILD_DIR)/package
