# The two commands of the README. Both install any missing Debian packages first.
PRESET ?= $(if $(CI),ci,default)
BUILD_DIR = $(if $(filter ci,$(PRESET)),build-ci,$(if $(filter sanitize,$(PRESET)),build-sanitize,build))

.PHONY: run test build setup sanitize bench package

setup:
	@bash scripts/setup.sh

build: setup
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

run: build
	bash scripts/run.sh $(BUILD_DIR)

test: build
	bash scripts/test.sh $(BUILD_DIR)

sanitize:
	$(MAKE) test PRESET=sanitize

bench:
	$(MAKE) build PRESET=default
	bash scripts/bench.sh build

# The Debian package, from the install rules: BUILD_DIR/package/tolvane_*.deb
package: build
	cpack --config $(BUILD_DIR)/CPackConfig.cmake -B $(BUILD_DIR)/package
